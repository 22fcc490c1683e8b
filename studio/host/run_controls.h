// The studio's run controls: run, debug, step into / over / out and stop.
// Each starts a new run when none is active, or steers the active one. A run
// counts as active from its start until its thread has ended, so a second
// evaluation never starts on the shared engine while a stopped one unwinds.
// The signals of the current run are passed on from this object, on the
// thread it lives in (the studio's).
#pragma once

#include <QJsonArray>
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

#include "start_mode.h"

class QThread;

namespace vantor {

class RunJs;

struct ScriptSource {
    QString text;               // inline pictures already written as data URLs
    QVector<int> breakpoints;   // 1-based lines
};

class RunControls : public QObject {
    Q_OBJECT
public:
    explicit RunControls(QObject* parent = nullptr);
    // Stops an active run and waits a while for its thread.
    ~RunControls() override;

    // Where a new run takes its text and breakpoints from (the editor).
    void setSource(std::function<ScriptSource()> source);

    bool isActive() const { return run_ != nullptr; }
    RunJs* currentRun() const { return run_; }

public slots:
    void run();
    void debug();
    void stepInto();
    void stepOver();
    void stepOut();
    void stop();
    // The editor's breakpoints changed: the active run takes them at once.
    void setBreakpoints(QVector<int> lines);

signals:
    void debugRunNum(int n, QString str);
    void deBugInfo(QJsonArray arr);
    void showLogInfo(QString infoStr);
    // The run has ended and its thread and objects are released.
    void endThread();

private:
    bool steering();
    // A step control: steers the active run, or starts a new one.
    void step(StartMode how, void (RunJs::*next)());
    void start(StartMode how);
    void release();
    void onRunEnded(quint64 generation);

    std::function<ScriptSource()> source_;
    RunJs* run_ = nullptr;
    QThread* thread_ = nullptr;
    quint64 generation_ = 0;  // which run an end notice belongs to
};

}  // namespace vantor
