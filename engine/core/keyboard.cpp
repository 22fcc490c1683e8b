#include "keyboard.h"

#include <cstdint>

#include "tavix/platform/backends.h"

namespace tavix::core {

namespace {

using platform::key::kExtendedKey;
using platform::key::kKeyUp;

struct KeyEvent {
    std::uint8_t vk, scan;
    std::uint32_t flags;
};

constexpr KeyEvent kShowDesktop[] = {
    {0x5B, 0x5B, 0},      // left Windows key down
    {0x44, 0x20, 0},      // D down
    {0x44, 0x20, kKeyUp},  // D up
    {0x5B, 0x5B, kKeyUp},  // left Windows key up
};

void send(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags)
{
    platform::input().keybdEvent(vk, scan, flags, 0);
}

std::uint8_t lowByte(int code)
{
    return std::uint8_t(code & 0xFF);
}

}  // namespace

void keyPress(int code)
{
    keyDown(code);
    keyUp(code);
}

void keyDown(int code)
{
    send(lowByte(code), 0, kExtendedKey);
}

void keyUp(int code)
{
    // The release carries the key-up flag alone, without the extended flag.
    send(lowByte(code), 0, kKeyUp);
}

void home()
{
    for (const KeyEvent& event : kShowDesktop)
        send(event.vk, event.scan, event.flags);
}

}  // namespace tavix::core
