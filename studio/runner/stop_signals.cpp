#include "stop_signals.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include <QMetaObject>
#include <QScriptEngine>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "bindings/held_input.h"

namespace vantor {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM};
// How long an abort may take to unwind the script before the watcher
// releases the held input itself.
constexpr std::chrono::milliseconds kUnwindGrace{1000};
// Written by finish(); no signal has number 0.
constexpr unsigned char kFinish = 0;

int wakeFd = -1;

extern "C" void onStopSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (wakeFd >= 0 && ::write(wakeFd, &byte, 1) < 0) {
        // Nothing to do in a handler; the pipe only fills after 64 KiB of signals.
    }
    errno = saved;
}

void setHandler(int signal, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

[[noreturn]] void endWith(int signal)
{
    std::fflush(nullptr);
    setHandler(signal, SIG_DFL);
    std::raise(signal);
    _exit(128 + signal);  // only if the signal did not end the process
}

}  // namespace

StopSignals::StopSignals(QScriptEngine* engine) : engine_(engine)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        std::perror("vantor-run: no pipe for stop signals");
        finished_ = true;  // signals keep their default action
        return;
    }
    readFd_ = fds[0];
    wakeFd = fds[1];
    watcher_ = std::thread([this] { watch(); });
    for (int signal : kSignals)
        setHandler(signal, onStopSignal);
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
    for (int signal : kSignals)
        setHandler(signal, SIG_DFL);
    const unsigned char byte = kFinish;
    while (::write(wakeFd, &byte, 1) < 0 && errno == EINTR) {
    }
    watcher_.join();
    ::close(wakeFd);
    ::close(readFd_);
    wakeFd = -1;
    if (const int signal = caught_.load())
        endWith(signal);
}

void StopSignals::watch()
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point deadline;
    for (;;) {
        int timeout = -1;
        if (caught_.load()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            timeout = static_cast<int>(std::max<long long>(0, left.count()));
        }
        pollfd wake{readFd_, POLLIN, 0};
        const int ready = ::poll(&wake, 1, timeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return;
        if (ready == 0)
            giveUp();
        unsigned char byte = 0;
        if (::read(readFd_, &byte, 1) != 1)
            continue;
        if (byte == kFinish)
            return;
        if (caught_.load())
            giveUp();  // a second signal: the user does not want to wait
        caught_.store(byte);
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
    HeldInput::instance().releaseAll([signal] { endWith(signal); });
    endWith(signal);  // not reached
}

}  // namespace vantor

#else

// Elsewhere Ctrl-C keeps its default action; what the script held is released
// only when the run ends by itself.
namespace vantor {

StopSignals::StopSignals(QScriptEngine* engine) : engine_(engine), finished_(true) {}
StopSignals::~StopSignals() = default;
void StopSignals::finish() {}

}  // namespace vantor

#endif
