#include "run_js.h"

#include <QDebug>
#include <QScriptEngine>

#include "script_debugger.h"
#include "tavix_mgr.h"

const QString RunJs::kFileName = QStringLiteral("example.js");

namespace {

// How often an evaluation looks at the run thread's events, where a stop's
// abort waits for loops that pass no statement (`while (true) {}`).
constexpr int kStopCheckMs = 50;

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

void RunJs::setDebugMode(bool on)
{
    debug_ = on;
    skipResume_ = false;
}

void RunJs::prepareStepInto()
{
    debug_ = true;
    skipResume_ = true;
    startStepOver_ = false;
    startStepOut_ = false;
}

void RunJs::prepareStepOver()
{
    debug_ = true;
    skipResume_ = true;
    startStepOver_ = true;
    startStepOut_ = false;
}

void RunJs::prepareStepOut()
{
    debug_ = true;
    skipResume_ = true;
    startStepOver_ = false;
    startStepOut_ = true;
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
    qDebug() << "nextStep Into";
    control([](ScriptDebugger& debugger) { debugger.stepInto(); });
}

void RunJs::nextStepOver()
{
    qDebug() << "nextStep Over";
    control([](ScriptDebugger& debugger) { debugger.stepOver(); });
}

void RunJs::nextStepOut()
{
    qDebug() << "nextStep Out";
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
    if (debug_) {
        if (startStepOver_)
            debugger.stepOver();
        else
            debugger.setMode(ScriptDebugger::StepInto);
        if (startStepOut_)
            debugger.stepOut();
        else
            debugger.setMode(ScriptDebugger::StepInto);
        if (!skipResume_)
            debugger.resume();
        for (int line : breakpointLines_)
            debugger.setBreakpoint(kFileName, line);
    } else {
        debugger.setMode(ScriptDebugger::Run);
    }
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

    running_.store(false);
    startStepOver_ = false;
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
    emit debugRunNum(lineNumber, lineText);
    emit showLogInfo(message);
}
