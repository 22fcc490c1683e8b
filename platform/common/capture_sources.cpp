#include <chrono>
#include <mutex>

#include "tavix/platform/capture.h"
#include "native.h"

namespace tavix::platform {

namespace {
std::mutex factoryLock;
CaptureSourceFactory& factory()
{
    static CaptureSourceFactory installed;
    return installed;
}
}  // namespace

std::unique_ptr<CaptureSource> createCaptureSource()
{
    {
        std::lock_guard<std::mutex> guard(factoryLock);
        if (factory())
            return factory()();
    }
    return native::createCaptureSource();
}

void setCaptureSourceFactory(CaptureSourceFactory replacement)
{
    std::lock_guard<std::mutex> guard(factoryLock);
    factory() = std::move(replacement);
}

std::int64_t captureClockNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace tavix::platform
