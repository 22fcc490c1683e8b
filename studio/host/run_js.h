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

class ScriptDebugger;

class RunJs : public QObject {
    Q_OBJECT
public:
    // Every run evaluates its text under this name; breakpoints use it too.
    static const QString kFileName;

    explicit RunJs(QObject* parent = nullptr);
    ~RunJs() override;

    // True from the start of runJs() until the evaluation returns or stop().
    bool isRunning() const { return running_.load(); }
    // True once runJs() has emitted endThread(): every signal of the run has
    // been sent.
    bool hasEnded() const { return ended_.load(); }

    // Set-up, before the thread starts.
    void setScript(const QString& text);
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

    // Called by the debugger on the run thread.
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

    QString script_;
    std::atomic<bool> running_{false};
    bool skipResume_ = false;
    bool startStepOver_ = false;
    bool startStepOut_ = false;
    QVector<int> breakpointLines_;
    bool debug_ = false;
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
