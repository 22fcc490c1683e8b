#include "run_controls.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>

#include "line_ends.h"
#include "run_js.h"
#include "trace_texts.h"

namespace vantor {

namespace {

// How long closing the studio waits for a stopped run to unwind.
constexpr unsigned long kEndWaitMs = 5000;

}  // namespace

RunControls::RunControls(QObject* parent) : QObject(parent) {}

RunControls::~RunControls()
{
    if (!run_)
        return;
    run_->stop();
    thread_->quit();
    if (thread_->wait(kEndWaitMs)) {
        release();
    } else {
        // Still inside a long engine call (a message box, a sleep): its objects
        // must outlive it, so they are left to the end of the process.
        qWarning() << "RunControls: the script run did not end in time; leaving it";
        disconnect(run_, nullptr, this, nullptr);
    }
}

void RunControls::setSource(std::function<ScriptSource()> source)
{
    source_ = std::move(source);
}

bool RunControls::steering()
{
    // A run that has sent its last signal is over even if the notice of its
    // end still waits in this thread's queue: deliver what waits (its log
    // lines too, which come through the manager), in order, now.
    if (run_ && run_->hasEnded())
        QCoreApplication::sendPostedEvents();
    return run_ != nullptr;
}

void RunControls::run()
{
    if (steering())
        run_->resume();
    else
        start(StartMode::Run);
}

void RunControls::debug()
{
    if (steering())
        run_->resume();
    else
        start(StartMode::Debug);
}

void RunControls::step(StartMode how, void (RunJs::*next)())
{
    if (!steering())
        return start(how);
    qDebug() << trace::kStepSending;
    (run_->*next)();
    qDebug() << trace::kStepSent;
}

void RunControls::stepInto()
{
    step(StartMode::StepInto, &RunJs::nextStepInto);
}

void RunControls::stepOver()
{
    step(StartMode::StepOver, &RunJs::nextStepOver);
}

void RunControls::stepOut()
{
    step(StartMode::StepOut, &RunJs::nextStepOut);
}

void RunControls::stop()
{
    if (run_)
        run_->stop();
}

void RunControls::setBreakpoints(QVector<int> lines)
{
    if (run_)
        run_->setDebugArr(lines);
}

void RunControls::start(StartMode how)
{
    auto* run = new RunJs;
    connect(run, &RunJs::debugRunNum, this, &RunControls::debugRunNum);
    connect(run, &RunJs::deBugInfo, this, &RunControls::deBugInfo);
    connect(run, &RunJs::showLogInfo, this, &RunControls::showLogInfo);
    const quint64 generation = ++generation_;
    connect(run, &RunJs::endThread, this, [this, generation] { onRunEnded(generation); });

    const ScriptSource source = source_ ? source_() : ScriptSource();
    run->setScript(withUnixLineEnds(source.text));
    run->setStartMode(how);
    run->setDebugArr(source.breakpoints);

    auto* thread = new QThread;
    run->moveToThread(thread);
    connect(thread, &QThread::started, run, &RunJs::runJs);
    run_ = run;
    thread_ = thread;
    if (how == StartMode::StepInto)
        qDebug().noquote() << QString::fromUtf8(trace::kThreadStarting);
    thread->start(QThread::InheritPriority);
    if (how == StartMode::StepInto)
        qDebug().noquote() << QString::fromUtf8(trace::kThreadStarted);
}

void RunControls::onRunEnded(quint64 generation)
{
    if (generation != generation_ || !run_)
        return;
    release();
    emit endThread();
}

void RunControls::release()
{
    if (!run_)
        return;
    thread_->quit();
    thread_->wait();
    delete run_;
    delete thread_;
    run_ = nullptr;
    thread_ = nullptr;
}

}  // namespace vantor
