// Owns the one script engine of the process and fills its global object with
// the automation API: the host objects, the global functions and `require`.
#pragma once

#include <QObject>
#include <QString>

class QScriptEngine;

namespace vantor {

class Log;

class TavixMgr : public QObject {
    Q_OBJECT
public:
    // The manager, built on the first call (in the caller's thread).
    static TavixMgr* instance();
    // Tears the manager down at process end; instance() builds a new one afterwards.
    static void release();

    QScriptEngine* engine() const { return engine_; }

signals:
    void showDebugInfo(QString infoStr);

private slots:
    void showInfo(QString infoStr);

private:
    TavixMgr();
    ~TavixMgr() override;
    void setUp();

    QScriptEngine* engine_;
    Log* log_;
};

}  // namespace vantor
