// One run of a script on a thread of its own: evaluates the text in the
// shared engine with a debugger attached and reports back by signals. Built
// and prepared on the studio's thread, then moved to its run thread, whose
// `started` signal calls runJs(). Never restarted.
#pragma once

#include <QJsonArray>
#include <QObject>
#include <QString>
#include <QVector>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include "debugger_listener.h"
#include "start_mode.h"

namespace vantor {

class ScriptDebugger;

class RunJs : public QObject, private DebuggerListener {
    Q_OBJECT
public:
    explicit RunJs(QObject* parent = nullptr);
    ~RunJs() override;

    // True from the start of runJs() until the evaluation returns or stop().
    bool isRunning() const { return running_.load(); }
    // True once runJs() has emitted endThread(): every signal of the run has
    // been sent.
    bool hasEnded() const { return ended_.load(); }

    // Set-up, before the thread starts.
    void setScript(const QString& text);
    // How the run starts; StartMode::Run unless set.
    void setStartMode(StartMode mode);
    StartMode startMode() const { return startMode_; }
    // The same choices one by one: on is Debug, off is Run.
    void setDebugMode(bool on);
    void prepareStepInto();
    void prepareStepOver();
    void prepareStepOut();

    // Controls from the studio's thread. A control that arrives before runJs()
    // has built its debugger is applied as soon as it has; after the end it
    // is dropped.
    void resume();
    void nextStepInto();
    void nextStepOver();
    void nextStepOut();
    void stop();

    // What the debugger reports, as signals (on the run thread).
    void reportPosition(int lineNumber, const QString& lineText);
    void reportException(int lineNumber, const QString& lineText, const QString& message);

signals:
    void debugRunNum(int n, QString str);
    void deBugInfo(QJsonArray arr);
    void showLogInfo(QString infoStr);
    void endThread();

public slots:
    void runJs();
    void showInfo(QString infoStr);
    void showDebugINfo(QJsonArray arr);
    // Safe from any thread; while running it replaces the debugger's breakpoints.
    void setDebugArr(QVector<int> arr);

private:
    using Control = std::function<void(ScriptDebugger&)>;
    void control(Control apply);
    void prepareDebugger(ScriptDebugger& debugger);

    // DebuggerListener: the debugger's reports, passed on as signals.
    void pausedAt(int lineNumber, const QString& lineText) override;
    void variablesShown(const QJsonArray& view) override;
    void uncaughtExceptionAt(int lineNumber, const QString& lineText) override;
    void logText(const QString& text) override;

    QString script_;
    std::atomic<bool> running_{false};
    StartMode startMode_ = StartMode::Run;
    QVector<int> breakpointLines_;
    ScriptDebugger* debugger_ = nullptr;

    // Guards the debugger pointer, the breakpoint lines and the controls
    // waiting for the debugger, between the studio's thread and the run.
    std::mutex controlMutex_;
    std::vector<Control> pendingControls_;
    bool started_ = false;
    bool stopRequested_ = false;
    bool finished_ = false;  // the debugger is gone; controls are dropped
    std::atomic<bool> ended_{false};
};

}  // namespace vantor
