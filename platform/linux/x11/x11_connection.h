// The engine's own connection to the X server, opened once. Every X call goes
// through check(), which names the call when it fails.
#pragma once

#include "tavix/platform/geometry.h"
#include <chrono>
#include <mutex>

typedef struct _XDisplay Display;

namespace tavix::platform::x11 {

class Connection {
public:
    // The process's connection, or null when no X server accepts one.
    static Connection* instance();

    Display* display() const { return display_; }
    bool hasXTest() const { return hasXTest_; }
    bool hasShm() const { return hasShm_; }
    // The primary screen in root-window coordinates. Re-read at most once a
    // second: reading it costs server round trips.
    Rect primaryGeometry();

    // Logs a failed call under its name; returns `ok`.
    static bool check(const char* call, bool ok);
    // X errors reported on this connection so far (they arrive asynchronously:
    // compare the count around an XSync).
    static int errorCount();

    // X calls from different threads are serialised through this lock.
    std::mutex& lock() { return mutex_; }

private:
    explicit Connection(Display* display);
    Rect readPrimaryGeometry();

    Display* display_;
    bool hasXTest_ = false;
    bool hasShm_ = false;
    std::mutex mutex_;
    Rect primary_;
    std::chrono::steady_clock::time_point primaryRead_;
};

}  // namespace tavix::platform::x11
