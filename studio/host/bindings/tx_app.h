// The script object `app`: starts programs and opens web addresses.
#pragma once

#include <QObject>
#include <QScriptValue>
#include <QString>

namespace vantor {

class TX_app : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    QScriptValue launchApp(QString appName);
    QScriptValue openUrl(QString url);
};

}  // namespace vantor
