// Requests from outside to stop the process: Ctrl-C and SIGTERM on POSIX
// systems. What a request does is the caller's choice; the watch only turns
// them into numbers a thread can wait for.
#pragma once

#include <memory>

namespace tavix::platform {

class StopRequests {
public:
    // Installs the watch. Where it cannot be installed (or the system has none
    // yet: Windows keeps Ctrl-C's default action) requests keep their default
    // action and next() only returns at close().
    StopRequests();
    // Closes the watch if close() was not called.
    ~StopRequests();
    StopRequests(const StopRequests&) = delete;
    StopRequests& operator=(const StopRequests&) = delete;

    // Blocks until a request comes (its number, above 0), `timeoutMs` passes
    // (0; a negative time-out waits without a limit) or close() is called (-1).
    int next(int timeoutMs);

    // Puts the default actions back and wakes next() with -1. Requests that
    // come from then on act as they would have without a watch.
    void close();

    // Ends the process as the request `number` ends it without a watch.
    [[noreturn]] static void endBy(int number);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tavix::platform
