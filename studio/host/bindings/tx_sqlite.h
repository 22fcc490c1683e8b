// The script object `sqlite`: one database, named by the last creat() call.
#pragma once

#include <QObject>
#include <QScriptValue>
#include <QString>

namespace vantor {

class TX_sqlite : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    QScriptValue creat(QString dbpath);
    QScriptValue close();
    QScriptValue createTable(QString tableName, QScriptValue columns);
    QScriptValue dropTable(QString tableName);
    QScriptValue execSQL(QString sql);

private:
    QString dbpath_;
};

}  // namespace vantor
