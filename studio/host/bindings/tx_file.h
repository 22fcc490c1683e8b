// The script object `file`: files and folders.
#pragma once

#include <QObject>
#include <QScriptValue>
#include <QString>
#include <QStringList>

namespace vantor {

class TX_file : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    QScriptValue append(QString path, QString text, QString encoding);
    QScriptValue append(QString path, QString text);
    QScriptValue appendBytes(QString path, QScriptValue arrayName);
    QScriptValue copy(QString formPath, QString toPath);
    QScriptValue create(QString path);
    QScriptValue remove(QString path);
    QScriptValue exists(QString path);
    QScriptValue getFileLiens(QString path);
    QScriptValue getFileLongDate(QString path);
    QScriptValue getFileSize(QString path);
    QScriptValue getFileStringDate(QString path);
    QScriptValue getName(QString path);
    QScriptValue isDir(QString path);
    QScriptValue isEmptyDir(QString path);
    QScriptValue isFile(QString path);
    QStringList listDir(QString path);
    QScriptValue listDirCount(QString path);
    QScriptValue mkdirs(QString path);
    QScriptValue move(QString formPath, QString toPath);
    QScriptValue read(QString path, QString encoding);
    QScriptValue read(QString path);
    QScriptValue readBytes(QString path);
    QScriptValue readLineByNum(QString path, int lines);
    QScriptValue rename(QString formPath, QString name);
    QScriptValue write(QString path, QString text, QString encoding);
    QScriptValue write(QString path, QString text);
};

}  // namespace vantor
