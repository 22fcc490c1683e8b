#include "tavix/platform/stop_requests.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "tavix/platform/log.h"

namespace tavix::platform {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM};
// Written by close(); no signal has number 0.
constexpr unsigned char kClosed = 0;

// The handler may only write into the pipe: one watch at a time.
int wakeFd = -1;

extern "C" void onStopSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (wakeFd >= 0 && ::write(wakeFd, &byte, 1) < 0) {
        // Nothing to do in a handler; the pipe fills only after 64 KiB of signals.
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

}  // namespace

struct StopRequests::State {
    int readFd = -1;
    int writeFd = -1;
    bool closed = false;
};

StopRequests::StopRequests() : state_(std::make_unique<State>())
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        logLine("No pipe for stop requests: Ctrl-C and SIGTERM keep their default action");
        state_->closed = true;
        return;
    }
    state_->readFd = fds[0];
    state_->writeFd = fds[1];
    wakeFd = fds[1];
    for (int signal : kSignals)
        setHandler(signal, onStopSignal);
}

StopRequests::~StopRequests()
{
    close();
    if (state_->readFd >= 0)
        ::close(state_->readFd);
    if (state_->writeFd >= 0)
        ::close(state_->writeFd);
}

int StopRequests::next(int timeoutMs)
{
    if (state_->readFd < 0)
        return -1;
    for (;;) {
        pollfd wake{state_->readFd, POLLIN, 0};
        const int ready = ::poll(&wake, 1, timeoutMs < 0 ? -1 : timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return -1;
        if (ready == 0)
            return 0;
        unsigned char byte = 0;
        if (::read(state_->readFd, &byte, 1) != 1)
            continue;
        return byte == kClosed ? -1 : byte;
    }
}

void StopRequests::close()
{
    if (state_->closed)
        return;
    state_->closed = true;
    for (int signal : kSignals)
        setHandler(signal, SIG_DFL);
    wakeFd = -1;
    const unsigned char byte = kClosed;
    while (::write(state_->writeFd, &byte, 1) < 0 && errno == EINTR) {
    }
}

void StopRequests::endBy(int number)
{
    std::fflush(nullptr);
    setHandler(number, SIG_DFL);
    std::raise(number);
    _exit(128 + number);  // only if the signal did not end the process
}

}  // namespace tavix::platform
