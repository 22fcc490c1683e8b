#include "tavix/platform/stop_requests.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace tavix::platform {

// No console control handler yet: Ctrl-C keeps its default action, and next()
// returns only when the watch is closed (or its time-out passes).
struct StopRequests::State {
    std::mutex lock;
    std::condition_variable changed;
    bool closed = false;
};

StopRequests::StopRequests() : state_(std::make_unique<State>()) {}

StopRequests::~StopRequests()
{
    close();
}

int StopRequests::next(int timeoutMs)
{
    std::unique_lock<std::mutex> guard(state_->lock);
    const auto isClosed = [this] { return state_->closed; };
    if (timeoutMs < 0)
        state_->changed.wait(guard, isClosed);
    else if (!state_->changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), isClosed))
        return 0;
    return -1;
}

void StopRequests::close()
{
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        state_->closed = true;
    }
    state_->changed.notify_all();
}

void StopRequests::endBy(int number)
{
    std::fflush(nullptr);
    std::_Exit(128 + number);
}

}  // namespace tavix::platform
