// Input for the hook and global key tests, injected through SendInput as a
// user's devices would produce it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tavix::platform::windows::test {

inline INPUT mouseInput(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    return input;
}

inline INPUT keyInput(WORD virtualKey, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

// An absolute move to the pixel (x, y) of the primary screen. The system
// scales 0..65535 back by truncation: rounding up lands on the pixel itself.
inline INPUT moveTo(int x, int y)
{
    const auto normalised = [](int pixel, int extent) {
        return LONG((std::int64_t(pixel) * 65536 + extent - 1) / extent);
    };
    return mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                      normalised(x, GetSystemMetrics(SM_CXSCREEN)),
                      normalised(y, GetSystemMetrics(SM_CYSCREEN)));
}

// Sends every input in one call; the count the system accepted.
inline UINT send(std::vector<INPUT> inputs)
{
    return SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace tavix::platform::windows::test
