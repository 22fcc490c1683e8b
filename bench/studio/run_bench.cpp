// A plain run's statements per second with the debugger attached (mode Run, no
// breakpoints) next to the same loop with no agent at all and with an agent
// that only counts (the script engine's own cost of an agent), and the time
// from a stop request to the end of a run caught in a busy loop.
//
// The debugger writes two trace lines per statement to standard error, held in
// its buffer and written in blocks; they go to /dev/null here, or to the file
// named by VANTOR_BENCH_TRACE_FILE. "of_no_agent" is the speed as a share of
// the loop without an agent measured in the same run.
#include <QScriptEngine>
#include <QScriptEngineAgent>
#include <QThread>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "run_js.h"
#include "script_debugger.h"
#include "script_file_name.h"
#include "tavix.h"
#include "tavix_mgr.h"

namespace vantor {
namespace {

constexpr int kLoopCount = 20000;

QScriptEngine& engine()
{
    return *TavixMgr::instance()->engine();
}

// Evaluated as text each time, as a run does: code compiled while no agent
// was attached has no statement hooks.
const QString& countingLoop()
{
    static const QString text =
        QStringLiteral("var n = 0;\nfor (var i = 0; i < %1; ++i) {\n  n += i;\n}\n").arg(kLoopCount);
    return text;
}

// Counts the statements the engine reports while evaluating.
class StatementCounter : public QScriptEngineAgent {
public:
    using QScriptEngineAgent::QScriptEngineAgent;
    void positionChange(qint64, int, int) override { ++statements; }
    qint64 statements = 0;
};

// Statements in one evaluation of the loop, counted once.
qint64 statementsPerRun()
{
    static const qint64 count = [] {
        StatementCounter counter(&engine());
        engine().setAgent(&counter);
        engine().evaluate(countingLoop(), QLatin1String(kScriptFileName));
        engine().setAgent(nullptr);
        return counter.statements;
    }();
    return count;
}

// Statements per second of the loop without an agent, from the last run of
// that benchmark; 0 before it has run.
double noAgentSpeed = 0;

// Runs the loop and returns its statements per second of process time.
double runCountingLoop(benchmark::State& state)
{
    const qint64 statements = statementsPerRun();
    const std::clock_t start = std::clock();
    for (auto _ : state)
        engine().evaluate(countingLoop(), QLatin1String(kScriptFileName));
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    state.SetItemsProcessed(state.iterations() * statements);
    state.SetLabel("items = statements");
    const double speed = seconds > 0 ? double(state.iterations() * statements) / seconds : 0;
    if (noAgentSpeed > 0)
        state.counters["of_no_agent"] = speed / noAgentSpeed;
    return speed;
}

void BM_CountingLoopWithoutAgent(benchmark::State& state)
{
    statementsPerRun();
    engine().setAgent(nullptr);
    noAgentSpeed = 0;
    noAgentSpeed = runCountingLoop(state);
}
BENCHMARK(BM_CountingLoopWithoutAgent)->Unit(benchmark::kMillisecond);

// The script engine's own cost of calling an agent at every statement: an
// agent that only counts.
void BM_CountingLoopWithCountingAgent(benchmark::State& state)
{
    StatementCounter counter(&engine());
    engine().setAgent(&counter);
    runCountingLoop(state);
    engine().setAgent(nullptr);
}
BENCHMARK(BM_CountingLoopWithCountingAgent)->Unit(benchmark::kMillisecond);

void BM_CountingLoopWithDebugger(benchmark::State& state)
{
    ScriptDebugger debugger(&engine(), nullptr);
    debugger.setMode(ScriptDebugger::Run);
    runCountingLoop(state);
}
BENCHMARK(BM_CountingLoopWithDebugger)->Unit(benchmark::kMillisecond);

// One run object on its own thread, spinning until stopped: a loop with a
// statement (the debugger sees the stop at it) and one without any (the stop
// arrives through the run thread's events, looked at every 50 ms).
const char* const kSpinLoops[] = {
    "var spin = 0;\nwhile (true) { spin++; }\n",
    "while (true) {}\n",
};

void BM_StopToEndThread(benchmark::State& state)
{
    for (auto _ : state) {
        std::atomic<bool> ended{false};
        std::chrono::steady_clock::time_point endedAt;
        QThread thread;
        auto* run = new RunJs;
        run->setScript(QString::fromLatin1(kSpinLoops[state.range(0)]));
        run->setDebugMode(false);
        QObject::connect(run, &RunJs::endThread, run, [&] {
            endedAt = std::chrono::steady_clock::now();
            ended = true;
        }, Qt::DirectConnection);
        run->moveToThread(&thread);
        QObject::connect(&thread, &QThread::started, run, &RunJs::runJs);
        thread.start();
        while (!run->isRunning())
            QThread::yieldCurrentThread();
        QThread::msleep(5);  // well inside the loop
        const auto stopAt = std::chrono::steady_clock::now();
        run->stop();
        while (!ended.load())
            QThread::yieldCurrentThread();
        state.SetIterationTime(std::chrono::duration<double>(endedAt - stopAt).count());
        thread.quit();
        thread.wait();
        delete run;
    }
}
BENCHMARK(BM_StopToEndThread)
    ->ArgName("emptyLoop")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantor

int main(int argc, char** argv)
{
    TX_api_initialize();
    vantor::TavixMgr::instance();
    benchmark::Initialize(&argc, argv);
    const QByteArray traceFile = qgetenv("VANTOR_BENCH_TRACE_FILE");
    const int quiet = traceFile.isEmpty()
        ? ::open("/dev/null", O_WRONLY)
        : ::open(traceFile.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int savedError = ::dup(STDERR_FILENO);
    std::fflush(stderr);
    ::dup2(quiet, STDERR_FILENO);
    benchmark::RunSpecifiedBenchmarks();
    std::fflush(stderr);
    ::dup2(savedError, STDERR_FILENO);
    benchmark::Shutdown();
    vantor::TavixMgr::release();
    return 0;
}
