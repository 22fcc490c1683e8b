#include "hook_messages.h"

#include <algorithm>

namespace tavix::platform::hook {

namespace {

struct MouseMessage {
    unsigned message;
    CaptureEvent::Kind kind;
    CaptureEvent::Button button;
};

constexpr MouseMessage kMouseMessages[] = {
    {message::kMouseMove, CaptureEvent::Motion, CaptureEvent::NoButton},
    {message::kLeftDown, CaptureEvent::ButtonDown, CaptureEvent::Left},
    {message::kLeftUp, CaptureEvent::ButtonUp, CaptureEvent::Left},
    {message::kRightDown, CaptureEvent::ButtonDown, CaptureEvent::Right},
    {message::kRightUp, CaptureEvent::ButtonUp, CaptureEvent::Right},
    {message::kMiddleDown, CaptureEvent::ButtonDown, CaptureEvent::Middle},
    {message::kMiddleUp, CaptureEvent::ButtonUp, CaptureEvent::Middle},
    {message::kMouseWheel, CaptureEvent::Wheel, CaptureEvent::NoButton},
};

struct KeyMessage {
    unsigned message;
    CaptureEvent::Kind kind;
};

// Alt combinations arrive as the system key messages.
constexpr KeyMessage kKeyMessages[] = {
    {message::kKeyDown, CaptureEvent::KeyDown},
    {message::kSysKeyDown, CaptureEvent::KeyDown},
    {message::kKeyUp, CaptureEvent::KeyUp},
    {message::kSysKeyUp, CaptureEvent::KeyUp},
};

}  // namespace

std::optional<CaptureEvent> fromMouse(std::uintptr_t wParam, const MouseData& data)
{
    const auto* entry =
        std::find_if(std::begin(kMouseMessages), std::end(kMouseMessages),
                     [wParam](const MouseMessage& m) { return m.message == wParam; });
    if (entry == std::end(kMouseMessages))
        return std::nullopt;
    CaptureEvent event;
    event.kind = entry->kind;
    event.button = entry->button;
    event.x = data.x;
    event.y = data.y;
    if (event.kind == CaptureEvent::Wheel)
        event.wheelDelta =
            static_cast<std::int16_t>(static_cast<std::uint16_t>(data.mouseData >> 16));
    return event;
}

std::optional<CaptureEvent> fromKeyboard(std::uintptr_t wParam, const KeyData& data)
{
    const auto* entry = std::find_if(std::begin(kKeyMessages), std::end(kKeyMessages),
                                     [wParam](const KeyMessage& m) { return m.message == wParam; });
    if (entry == std::end(kKeyMessages) || data.vkCode < 1 || data.vkCode > 254)
        return std::nullopt;
    CaptureEvent event;
    event.kind = entry->kind;
    event.virtualKey = static_cast<std::uint8_t>(data.vkCode);
    return event;
}

void TickClock::anchor(std::uint32_t tick, std::int64_t wallMs)
{
    anchored_ = true;
    anchorTick_ = tick;
    anchorWall_ = wallMs;
}

std::int64_t TickClock::wallTime(std::uint32_t tick, std::int64_t receivedWallMs)
{
    if (!anchored_)
        anchor(tick, receivedWallMs);
    // Signed: an event stamped just before the anchor, and the count's wrap
    // after 49.7 days, both come out right.
    const auto elapsed = static_cast<std::int32_t>(tick - anchorTick_);
    last_ = std::max(last_, std::min(anchorWall_ + elapsed, receivedWallMs));
    return last_;
}

}  // namespace tavix::platform::hook
