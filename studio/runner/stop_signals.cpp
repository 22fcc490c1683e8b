#include "stop_signals.h"

#include <QMetaObject>
#include <QScriptEngine>
#include <algorithm>
#include <chrono>

#include "bindings/held_input.h"

namespace vantor {

namespace {

// How long an abort may take to unwind the script before the watcher
// releases the held input itself.
constexpr std::chrono::milliseconds kUnwindGrace{1000};

}  // namespace

StopSignals::StopSignals(QScriptEngine* engine) : engine_(engine)
{
    watcher_ = std::thread([this] { watch(); });
}

StopSignals::~StopSignals()
{
    finish();
}

void StopSignals::finish()
{
    if (finished_)
        return;
    finished_ = true;
    requests_.close();
    watcher_.join();
    if (const int signal = caught_.load())
        tavix::platform::StopRequests::endBy(signal);
}

void StopSignals::watch()
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point deadline;
    for (;;) {
        int timeout = -1;
        if (caught_.load()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            timeout = static_cast<int>(std::max<long long>(0, left.count()));
        }
        const int request = requests_.next(timeout);
        if (request < 0)
            return;
        if (request == 0 || caught_.load())
            giveUp();  // the grace is over, or a second request: the user does not want to wait
        caught_.store(request);
        deadline = Clock::now() + kUnwindGrace;
        // The abort must come from the evaluating thread; the engine serves
        // posted calls at its event checks.
        QScriptEngine* engine = engine_;
        QMetaObject::invokeMethod(
            engine,
            [engine] {
                if (engine->isEvaluating())
                    engine->abortEvaluation();
            },
            Qt::QueuedConnection);
    }
}

void StopSignals::giveUp()
{
    const int signal = caught_.load();
    HeldInput::instance().releaseAll([signal] { tavix::platform::StopRequests::endBy(signal); });
    tavix::platform::StopRequests::endBy(signal);  // not reached
}

}  // namespace vantor
