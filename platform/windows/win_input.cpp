#include "win_input.h"

#include <atomic>

#include "../common/native.h"
#include "tavix/platform/conversions.h"
#include "tavix/platform/log.h"
#include "win_backend.h"

namespace tavix::platform::windows {

namespace {

// Injection into a window of higher privilege fails without a word, as the
// engine's callers expect; the first refusal is still worth one log line.
void send(INPUT input)
{
    if (SendInput(1, &input, sizeof input) == 1)
        return;
    static std::atomic<bool> told{false};
    if (!told.exchange(true))
        logLine("SendInput refused an event: " + errorText(GetLastError()));
}

}  // namespace

INPUT mouseInput(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                 std::uintptr_t extraInfo)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    input.mi.time = 0;
    input.mi.dwExtraInfo = ULONG_PTR(extraInfo);
    return input;
}

INPUT keyboardInput(std::uint8_t virtualKey, std::uint8_t scan, std::uint32_t flags,
                    std::uintptr_t extraInfo)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scan;
    // The extended flag follows the key, not the caller: the engine presses
    // every key with it and releases without it, which on Windows would press
    // the right-hand Shift, Ctrl or Alt and release the left one, leaving the
    // modifier held.
    input.ki.dwFlags = (flags & ~DWORD(KEYEVENTF_EXTENDEDKEY))
        | (convert::isExtendedKey(virtualKey) ? DWORD(KEYEVENTF_EXTENDEDKEY) : 0);
    input.ki.time = 0;
    input.ki.dwExtraInfo = ULONG_PTR(extraInfo);
    return input;
}

void Input::setCursorPos(int x, int y)
{
    SetCursorPos(x, y);
}

void Input::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                       std::uintptr_t extraInfo)
{
    send(mouseInput(flags, dx, dy, data, extraInfo));
}

void Input::keybdEvent(std::uint8_t virtualKey, std::uint8_t scan, std::uint32_t flags,
                       std::uintptr_t extraInfo)
{
    send(keyboardInput(virtualKey, scan, flags, extraInfo));
}

std::uintptr_t Input::messageExtraInfo()
{
    return std::uintptr_t(GetMessageExtraInfo());
}

}  // namespace tavix::platform::windows

namespace tavix::platform::native {

std::unique_ptr<InputBackend> createInput()
{
    return std::make_unique<windows::Input>();
}

}  // namespace tavix::platform::native
