// The script object `log`: log.info(text) writes a debug line and hands the
// text on towards the studio's log panel.
#pragma once

#include <QObject>
#include <QString>

namespace vantor {

class Log : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether log.info writes its debug line, for the whole process; on
    // unless a host shows the texts elsewhere (vantor-run prints them on
    // standard output).
    static void setDebugLines(bool on);

signals:
    void showInfo(QString infoStr);

public slots:
    void info(QString infoStr);
};

}  // namespace vantor
