#include "tavix/platform/scripted_capture.h"

#include <chrono>

namespace tavix::platform {

namespace {
std::int64_t wallClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}
}  // namespace

ScriptedCapture::ScriptedCapture(std::vector<CaptureEvent> events) : events_(std::move(events)) {}

std::unique_ptr<ScriptedCapture> ScriptedCapture::failing(std::string reason)
{
    auto source = std::make_unique<ScriptedCapture>();
    source->failure_ = std::move(reason);
    return source;
}

ScriptedCapture::~ScriptedCapture()
{
    stop();
}

bool ScriptedCapture::start(Deliver deliver, std::string* error)
{
    if (!failure_.empty()) {
        if (error)
            *error = failure_;
        return false;
    }
    if (thread_.joinable())
        return true;
    deliver_ = std::move(deliver);
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void ScriptedCapture::stop()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void ScriptedCapture::inject(std::vector<CaptureEvent> events)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.insert(events_.end(), events.begin(), events.end());
    }
    changed_.notify_all();
}

void ScriptedCapture::waitUntilDelivered()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return delivered_ == events_.size() || !thread_.joinable(); });
}

void ScriptedCapture::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        // Like the desktop source, everything captured before a stop is still delivered.
        changed_.wait(lock, [this] { return stopping_ || delivered_ < events_.size(); });
        while (delivered_ < events_.size()) {
            CaptureEvent event = events_[delivered_];
            lock.unlock();
            if (event.timeMs == 0)
                event.timeMs = wallClockMs();
            event.receivedNs = captureClockNs();
            deliver_(event);
            lock.lock();
            ++delivered_;
            changed_.notify_all();
        }
        if (stopping_)
            return;
    }
}

}  // namespace tavix::platform
