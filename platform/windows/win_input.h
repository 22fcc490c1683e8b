// Input injection through SendInput: the engine's mouse_event and keybd_event
// calls become the INPUT records those functions are defined to send.
#pragma once

#include <windows.h>

#include <cstdint>

#include "tavix/platform/input.h"

namespace tavix::platform::windows {

// mouse_event(flags, dx, dy, data, extraInfo) as one INPUT: the flags are
// MOUSEEVENTF_* already and the coordinates (pixels, or 0..65535 with the
// absolute flag) pass through as given.
INPUT mouseInput(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                 std::uintptr_t extraInfo);
// keybd_event(vk, scan, flags, extraInfo) as one INPUT.
INPUT keyboardInput(std::uint8_t virtualKey, std::uint8_t scan, std::uint32_t flags,
                    std::uintptr_t extraInfo);

class Input : public InputBackend {
public:
    void setCursorPos(int x, int y) override;
    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                    std::uintptr_t extraInfo) override;
    void keybdEvent(std::uint8_t virtualKey, std::uint8_t scan, std::uint32_t flags,
                    std::uintptr_t extraInfo) override;
    std::uintptr_t messageExtraInfo() override;
};

}  // namespace tavix::platform::windows
