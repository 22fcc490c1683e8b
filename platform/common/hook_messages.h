// What Windows' low-level mouse and keyboard hooks report, as capture events.
// Plain numbers only (message codes and the fields of MSLLHOOKSTRUCT and
// KBDLLHOOKSTRUCT), so that the conversion is tested on every system.
#pragma once

#include <cstdint>
#include <optional>

#include "tavix/platform/capture.h"

namespace tavix::platform::hook {

// The window messages a low-level hook receives in its wParam.
namespace message {
constexpr unsigned kKeyDown = 0x0100;
constexpr unsigned kKeyUp = 0x0101;
constexpr unsigned kSysKeyDown = 0x0104;
constexpr unsigned kSysKeyUp = 0x0105;
constexpr unsigned kMouseMove = 0x0200;
constexpr unsigned kLeftDown = 0x0201;
constexpr unsigned kLeftUp = 0x0202;
constexpr unsigned kRightDown = 0x0204;
constexpr unsigned kRightUp = 0x0205;
constexpr unsigned kMiddleDown = 0x0207;
constexpr unsigned kMiddleUp = 0x0208;
constexpr unsigned kMouseWheel = 0x020A;
constexpr unsigned kExtraDown = 0x020B;
constexpr unsigned kExtraUp = 0x020C;
constexpr unsigned kHorizontalWheel = 0x020E;
}  // namespace message

// The fields of MSLLHOOKSTRUCT the capture uses.
struct MouseData {
    int x = 0;  // pt, in screen coordinates (origin at the primary screen's top left)
    int y = 0;
    std::uint32_t mouseData = 0;  // the wheel delta in its high 16 bits
    std::uint32_t time = 0;       // the system's millisecond tick count
};

// The fields of KBDLLHOOKSTRUCT the capture uses.
struct KeyData {
    std::uint32_t vkCode = 0;
    std::uint32_t time = 0;
};

// The event a mouse hook message stands for; nothing for double clicks, the
// extra buttons, the horizontal wheel and anything unknown. timeMs and
// receivedNs are left for the caller.
std::optional<CaptureEvent> fromMouse(std::uintptr_t wParam, const MouseData& data);
// The event a keyboard hook message stands for (every press, auto-repeat
// included); nothing for unknown messages and codes outside 1..254.
std::optional<CaptureEvent> fromKeyboard(std::uintptr_t wParam, const KeyData& data);

// Turns the hooks' tick counts into wall-clock milliseconds: the tick count is
// paired once with the wall clock, so that events keep their exact spacing,
// but a time is never later than the event's arrival nor earlier than the
// time before it.
class TickClock {
public:
    void anchor(std::uint32_t tick, std::int64_t wallMs);
    // `receivedWallMs`: the wall clock when the hook was called.
    std::int64_t wallTime(std::uint32_t tick, std::int64_t receivedWallMs);

private:
    bool anchored_ = false;
    std::uint32_t anchorTick_ = 0;
    std::int64_t anchorWall_ = 0;
    std::int64_t last_ = 0;
};

}  // namespace tavix::platform::hook
