#include "run_js.h"

#include <QDebug>
#include <QScriptEngine>
#include <initializer_list>

#include "bindings/held_input.h"
#include "script_debugger.h"
#include "script_file_name.h"
#include "tavix_mgr.h"
#include "trace_output.h"
#include "trace_texts.h"

namespace vantor {

namespace {

// How often an evaluation looks at the run thread's events, where a stop's
// abort waits for loops that pass no statement (`while (true) {}`).
constexpr int kStopCheckMs = 50;

const QString kFileName = QLatin1String(kScriptFileName);

// The debugger operations a start is made of.
using Operation = void (*)(ScriptDebugger&);
void runMode(ScriptDebugger& debugger)
{
    debugger.setMode(ScriptDebugger::Run);
}
void stepIntoMode(ScriptDebugger& debugger)
{
    debugger.setMode(ScriptDebugger::StepInto);
}
void doResume(ScriptDebugger& debugger)
{
    debugger.resume();
}
void doStepOver(ScriptDebugger& debugger)
{
    debugger.stepOver();
}
void doStepOut(ScriptDebugger& debugger)
{
    debugger.stepOut();
}

void applyAll(ScriptDebugger& debugger, std::initializer_list<Operation> operations)
{
    for (Operation operation : operations)
        operation(debugger);
}

// Every debug start is a first choice (step over, else step-into mode), a
// second one (step out, else step-into mode) and, for the debug control, a
// continue. A later choice overrides an earlier one: the step-over start ends
// in step-into mode with the pause gate held, so it pauses at the first
// statement. Each mode change writes its trace line, hence the whole chain.
void startDebugger(ScriptDebugger& debugger, StartMode mode)
{
    switch (mode) {
    case StartMode::Run: return applyAll(debugger, {runMode});
    case StartMode::Debug: return applyAll(debugger, {stepIntoMode, stepIntoMode, doResume});
    case StartMode::StepInto: return applyAll(debugger, {stepIntoMode, stepIntoMode});
    case StartMode::StepOver: return applyAll(debugger, {doStepOver, stepIntoMode});
    case StartMode::StepOut: return applyAll(debugger, {stepIntoMode, doStepOut});
    }
}

}  // namespace

RunJs::RunJs(QObject* parent) : QObject(parent)
{
    // Direct: the manager emits on the studio's thread while this object's
    // own thread is busy evaluating, and log lines must show as they come.
    connect(TavixMgr::instance(), &TavixMgr::showDebugInfo, this, &RunJs::showInfo,
            Qt::DirectConnection);
}

RunJs::~RunJs()
{
    delete debugger_;
}

void RunJs::setScript(const QString& text)
{
    script_ = text;
}

void RunJs::setStartMode(StartMode mode)
{
    startMode_ = mode;
}

void RunJs::setDebugMode(bool on)
{
    setStartMode(on ? StartMode::Debug : StartMode::Run);
}

void RunJs::prepareStepInto()
{
    setStartMode(StartMode::StepInto);
}

void RunJs::prepareStepOver()
{
    setStartMode(StartMode::StepOver);
}

void RunJs::prepareStepOut()
{
    setStartMode(StartMode::StepOut);
}

void RunJs::setDebugArr(QVector<int> arr)
{
    std::lock_guard<std::mutex> lock(controlMutex_);
    breakpointLines_ = arr;
    if (running_.load() && debugger_) {
        debugger_->removeBreakpoints(kFileName);
        for (int line : arr)
            debugger_->setBreakpoint(kFileName, line);
    }
}

void RunJs::control(Control apply)
{
    std::lock_guard<std::mutex> lock(controlMutex_);
    if (finished_ || stopRequested_)
        return;
    if (debugger_)
        apply(*debugger_);
    else
        pendingControls_.push_back(std::move(apply));
}

void RunJs::resume()
{
    control([](ScriptDebugger& debugger) { debugger.resume(); });
}

void RunJs::nextStepInto()
{
    qDebug() << trace::kNextStepInto;
    control([](ScriptDebugger& debugger) { debugger.stepInto(); });
}

void RunJs::nextStepOver()
{
    qDebug() << trace::kNextStepOver;
    control([](ScriptDebugger& debugger) { debugger.stepOver(); });
}

void RunJs::nextStepOut()
{
    qDebug() << trace::kNextStepOut;
    control([](ScriptDebugger& debugger) { debugger.stepOut(); });
}

void RunJs::stop()
{
    {
        std::lock_guard<std::mutex> lock(controlMutex_);
        if (finished_ || stopRequested_)
            return;
        stopRequested_ = true;
        running_.store(false);
        pendingControls_.clear();
    }
    emit debugRunNum(-1, QString());
    {
        std::lock_guard<std::mutex> lock(controlMutex_);
        // Without a debugger yet, runJs() sees the request and never evaluates.
        if (debugger_)
            debugger_->abort();
    }
    // The debugger aborts at the next statement; a loop without statements
    // is reached through the run thread's events, which the engine serves
    // while it evaluates.
    QMetaObject::invokeMethod(
        this,
        [this] {
            // Only this run's own evaluation: once it has ended, the engine
            // may be another run's.
            QScriptEngine* engine = TavixMgr::instance()->engine();
            if (!finished_ && engine->isEvaluating())
                engine->abortEvaluation();
        },
        Qt::QueuedConnection);
}

void RunJs::prepareDebugger(ScriptDebugger& debugger)
{
    startDebugger(debugger, startMode_);
    if (startMode_ == StartMode::Run)
        return;
    for (int line : breakpointLines_)
        debugger.setBreakpoint(kFileName, line);
}

void RunJs::runJs()
{
    {
        std::lock_guard<std::mutex> lock(controlMutex_);
        if (started_)
            return;  // a run object serves one run
        started_ = true;
    }
    QScriptEngine* engine = TavixMgr::instance()->engine();
    bool stopped = false;
    {
        std::lock_guard<std::mutex> lock(controlMutex_);
        stopped = stopRequested_;
        if (!stopped) {
            running_.store(true);
            debugger_ = new ScriptDebugger(engine, this);
            prepareDebugger(*debugger_);
            for (Control& apply : pendingControls_)
                apply(*debugger_);
            pendingControls_.clear();
        }
    }
    if (!stopped) {
        const int interval = engine->processEventsInterval();
        engine->setProcessEventsInterval(kStopCheckMs);
        engine->evaluate(script_, kFileName, 1);
        engine->setProcessEventsInterval(interval);
    }
    // Nothing of this run may leak into the next evaluation.
    engine->clearExceptions();
    // A stop, an exception or a script that forgot its up calls must not
    // leave a button or key down on the desktop after the run.
    const QString released = HeldInput::instance().releaseAll();
    if (!released.isEmpty())
        emit showLogInfo(released);

    running_.store(false);
    emit debugRunNum(-1, QString());
    {
        std::lock_guard<std::mutex> lock(controlMutex_);
        if (debugger_) {
            debugger_->finish();
            delete debugger_;
            debugger_ = nullptr;
        }
        finished_ = true;
    }
    emit endThread();
    ended_.store(true);
}

void RunJs::showInfo(QString infoStr)
{
    emit showLogInfo(infoStr);
}

void RunJs::showDebugINfo(QJsonArray arr)
{
    emit deBugInfo(arr);
}

void RunJs::reportPosition(int lineNumber, const QString& lineText)
{
    emit debugRunNum(lineNumber, lineText);
}

void RunJs::reportException(int lineNumber, const QString& lineText, const QString& message)
{
    uncaughtExceptionAt(lineNumber, lineText);
    logText(message);
}

void RunJs::pausedAt(int lineNumber, const QString& lineText)
{
    reportPosition(lineNumber, lineText);
}

void RunJs::variablesShown(const QJsonArray& view)
{
    showDebugINfo(view);
}

void RunJs::uncaughtExceptionAt(int lineNumber, const QString& lineText)
{
    emit debugRunNum(lineNumber, lineText);
}

void RunJs::logText(const QString& text)
{
    emit showLogInfo(text);
}

}  // namespace vantor
