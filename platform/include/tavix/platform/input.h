// Input injection in the terms the engine speaks: Windows cursor placement,
// mouse_event-style flags and keybd_event-style flags with virtual-key codes.
// Backends translate these to the operating system's own injection calls.
#pragma once

#include <cstdint>

namespace tavix::platform {

// mouse_event flags.
namespace mouse {
constexpr std::uint32_t kMove = 0x0001;
constexpr std::uint32_t kLeftDown = 0x0002;
constexpr std::uint32_t kLeftUp = 0x0004;
constexpr std::uint32_t kRightDown = 0x0008;
constexpr std::uint32_t kRightUp = 0x0010;
constexpr std::uint32_t kMiddleDown = 0x0020;
constexpr std::uint32_t kMiddleUp = 0x0040;
constexpr std::uint32_t kWheel = 0x0800;
constexpr std::uint32_t kHWheel = 0x1000;
constexpr std::uint32_t kAbsolute = 0x8000;
// Absolute coordinates span 0..65535 across the primary screen.
constexpr std::int64_t kNormalisedExtent = 65536;
}  // namespace mouse

// keybd_event flags.
namespace key {
constexpr std::uint32_t kExtendedKey = 0x0001;
constexpr std::uint32_t kKeyUp = 0x0002;
}  // namespace key

class InputBackend {
public:
    virtual ~InputBackend() = default;

    // SetCursorPos: desktop pixels, origin at the primary screen's top left.
    virtual void setCursorPos(int x, int y) = 0;
    // mouse_event: with kMove|kAbsolute, dx/dy are normalised to 0..65535 over the
    // primary screen; without kMove they are ignored and buttons act at the cursor.
    virtual void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                            std::uint32_t data, std::uintptr_t extraInfo) = 0;
    // keybd_event with a virtual-key code.
    virtual void keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                            std::uintptr_t extraInfo) = 0;
    // GetMessageExtraInfo.
    virtual std::uintptr_t messageExtraInfo() = 0;
};

}  // namespace tavix::platform
