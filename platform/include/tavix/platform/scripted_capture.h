// A capture source for tests: delivers a scripted list of events from a thread
// of its own, the way the desktop source does, or fails to start with a given reason.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "tavix/platform/capture.h"

namespace tavix::platform {

class ScriptedCapture : public CaptureSource {
public:
    // Events with timeMs 0 are stamped with the wall clock when delivered.
    explicit ScriptedCapture(std::vector<CaptureEvent> events = {});
    // A source whose start fails with `reason`.
    static std::unique_ptr<ScriptedCapture> failing(std::string reason);
    ~ScriptedCapture() override;

    bool start(Deliver deliver, std::string* error) override;
    void stop() override;

    // Adds events to deliver after the scripted ones (any thread, while started).
    void inject(std::vector<CaptureEvent> events);
    // Blocks until every event given so far has been delivered.
    void waitUntilDelivered();

private:
    void run();

    std::string failure_;
    Deliver deliver_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<CaptureEvent> events_;
    std::size_t delivered_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tavix::platform
