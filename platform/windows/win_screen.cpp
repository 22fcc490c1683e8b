#include "win_screen.h"

#include <windows.h>

#include "../common/native.h"
#include "tavix/platform/log.h"
#include "win_backend.h"

namespace tavix::platform::windows {

namespace {

// The screen DC and a memory DC, released in the right order on every path.
struct GrabContext {
    HDC screen = GetDC(nullptr);
    HDC memory = screen ? CreateCompatibleDC(screen) : nullptr;
    ~GrabContext()
    {
        if (memory)
            DeleteDC(memory);
        if (screen)
            ReleaseDC(nullptr, screen);
    }
};

}  // namespace

PixelBuffer GdiScreen::grab(const Rect& area)
{
    const Rect taken =
        areaOnScreen(area, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (taken.isEmpty()) {
        logLine("Screen grab: the area " + std::to_string(area.x) + "," + std::to_string(area.y)
                + " " + std::to_string(area.width) + "x" + std::to_string(area.height)
                + " is not inside the primary screen");
        return {};
    }

    GrabContext context;
    if (!context.memory) {
        logLine("Screen grab: no device context for the screen: " + errorText(GetLastError()));
        return {};
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = taken.width;
    info.bmiHeader.biHeight = -taken.height;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(context.screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        logLine("Screen grab: no bitmap of " + std::to_string(taken.width) + "x"
                + std::to_string(taken.height) + ": " + errorText(GetLastError()));
        if (section)
            DeleteObject(section);
        return {};
    }

    HGDIOBJ previous = SelectObject(context.memory, section);
    const BOOL copied = BitBlt(context.memory, 0, 0, taken.width, taken.height, context.screen,
                               taken.x, taken.y, SRCCOPY | CAPTUREBLT);
    const DWORD error = copied ? 0 : GetLastError();
    SelectObject(context.memory, previous);
    GdiFlush();
    if (!copied) {
        logLine("Screen grab: BitBlt failed: " + errorText(error));
        DeleteObject(section);
        return {};
    }

    PixelBuffer buffer;
    buffer.width = taken.width;
    buffer.height = taken.height;
    buffer.bytesPerLine = std::ptrdiff_t(taken.width) * 4;  // 32-bit rows need no padding
    buffer.pixels = std::shared_ptr<std::uint8_t>(
        static_cast<std::uint8_t*>(bits), [section](std::uint8_t*) { DeleteObject(section); });
    return buffer;
}

}  // namespace tavix::platform::windows

namespace tavix::platform::native {

std::unique_ptr<ScreenBackend> createScreen()
{
    return std::make_unique<windows::GdiScreen>();
}

}  // namespace tavix::platform::native
