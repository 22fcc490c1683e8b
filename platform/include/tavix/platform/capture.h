// Global input capture: every pointer and key event of the whole desktop, as a
// source that hands them over one by one from a thread of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tavix::platform {

struct CaptureEvent {
    enum Kind : std::uint8_t { Motion, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp };
    enum Button : std::uint8_t { NoButton = 0, Left = 1, Right = 2, Middle = 3 };

    Kind kind = Motion;
    // Pointer position in desktop pixels, origin at the primary screen's top left
    // (for buttons and the wheel: where the pointer was).
    int x = 0;
    int y = 0;
    Button button = NoButton;     // ButtonDown, ButtonUp
    int wheelDelta = 0;           // Wheel: +120 per notch away from the user, -120 towards
    std::uint8_t virtualKey = 0;  // KeyDown, KeyUp: Windows virtual-key code
    std::int64_t timeMs = 0;      // when it happened, milliseconds since 1970-01-01 UTC
    // Steady-clock nanoseconds when the source received it (for latency figures).
    std::int64_t receivedNs = 0;
};

class CaptureSource {
public:
    using Deliver = std::function<void(const CaptureEvent&)>;

    virtual ~CaptureSource() = default;
    // Begins capturing; events go to `deliver`, in order, on a thread of the
    // source's own. False, with the reason in `error`, when nothing can be captured.
    virtual bool start(Deliver deliver, std::string* error) = 0;
    // Ends capturing. When it returns, every event captured before the call has
    // been delivered and `deliver` is not called again. Harmless when not started.
    virtual void stop() = 0;
};

// The desktop's capture source: X11 RECORD on the display named by DISPLAY, or
// whatever a test installed with setCaptureSourceFactory.
std::unique_ptr<CaptureSource> createCaptureSource();

using CaptureSourceFactory = std::function<std::unique_ptr<CaptureSource>()>;
// Replaces the desktop source (an empty factory restores it).
void setCaptureSourceFactory(CaptureSourceFactory factory);

// Steady-clock nanoseconds, the clock of CaptureEvent::receivedNs.
std::int64_t captureClockNs();

}  // namespace tavix::platform
