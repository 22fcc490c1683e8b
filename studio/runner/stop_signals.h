// Ctrl-C and SIGTERM for vantor-run. A watcher thread waits for the
// platform's stop requests and asks the evaluating thread to abort (served by
// the engine's event checks), so the run ends the usual way and releases what
// the script held. A script stuck in a long
// engine call (a sleep, a message box) gets a short grace; after it, or at a
// second signal, the watcher releases the held input itself. Either way the
// process then ends by the same signal, as it would have without a handler.
#pragma once

#include <atomic>
#include <thread>

#include "tavix/platform/stop_requests.h"

class QScriptEngine;

namespace vantor {

class StopSignals {
public:
    // Installs the handlers; `engine` evaluates on the calling thread.
    explicit StopSignals(QScriptEngine* engine);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // After the run: stops watching and puts the default handlers back; a
    // signal caught by then ends the process with that signal.
    void finish();

private:
    void watch();
    [[noreturn]] void giveUp();

    QScriptEngine* engine_;
    tavix::platform::StopRequests requests_;
    std::atomic<int> caught_{0};
    std::thread watcher_;
    bool finished_ = false;
};

}  // namespace vantor
