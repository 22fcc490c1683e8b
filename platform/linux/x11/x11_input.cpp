#include "x11_input.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include "tavix/platform/conversions.h"
#include "x11_keymap.h"

namespace tavix::platform::x11 {

namespace {
constexpr unsigned int kLeft = 1, kMiddle = 2, kRight = 3;
constexpr unsigned int kWheelUp = 4, kWheelDown = 5, kWheelLeft = 6, kWheelRight = 7;
constexpr int kWheelDelta = 120;

struct ButtonFlag {
    std::uint32_t flag;
    unsigned int button;
    bool down;
};

// In the order Windows applies them within one mouse_event.
constexpr ButtonFlag kButtonFlags[] = {
    {mouse::kLeftDown, kLeft, true},     {mouse::kLeftUp, kLeft, false},
    {mouse::kRightDown, kRight, true},   {mouse::kRightUp, kRight, false},
    {mouse::kMiddleDown, kMiddle, true}, {mouse::kMiddleUp, kMiddle, false},
};
// Waits until the server has taken the event: a program that ends right
// after pressing or releasing would otherwise lose what was still buffered
// or unread, and leave a button or key held down.
void deliver(Display* display)
{
    XSync(display, False);
}

}  // namespace

Input::Input(Connection& connection) : connection_(connection) {}

void Input::motion(int rootX, int rootY)
{
    std::lock_guard<std::mutex> guard(connection_.lock());
    Display* display = connection_.display();
    // The pointer stays on the desktop, as Windows keeps it; the protocol's
    // 16-bit coordinates would otherwise wrap far-off positions around.
    const int screen = DefaultScreen(display);
    const int x = std::clamp(rootX, 0, DisplayWidth(display, screen) - 1);
    const int y = std::clamp(rootY, 0, DisplayHeight(display, screen) - 1);
    Connection::check("XTestFakeMotionEvent", XTestFakeMotionEvent(display, -1, x, y, CurrentTime));
    deliver(display);
}

void Input::button(unsigned int button, bool down)
{
    std::lock_guard<std::mutex> guard(connection_.lock());
    Display* display = connection_.display();
    Connection::check("XTestFakeButtonEvent",
                      XTestFakeButtonEvent(display, button, down ? True : False, CurrentTime));
    deliver(display);
}

void Input::wheel(std::int32_t delta, unsigned int up, unsigned int down)
{
    const unsigned int which = delta > 0 ? up : down;
    const int clicks = std::max(1, std::abs(delta) / kWheelDelta);
    for (int i = 0; i < clicks && delta != 0; ++i) {
        button(which, true);
        button(which, false);
    }
}

void Input::setCursorPos(int x, int y)
{
    const Rect screen = connection_.primaryGeometry();
    motion(screen.x + x, screen.y + y);
}

void Input::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                       std::uintptr_t)
{
    if (flags & mouse::kMove) {
        if (flags & mouse::kAbsolute) {
            const Rect screen = connection_.primaryGeometry();
            motion(screen.x + convert::fromNormalised(dx, screen.width),
                   screen.y + convert::fromNormalised(dy, screen.height));
        } else {
            std::lock_guard<std::mutex> guard(connection_.lock());
            Display* display = connection_.display();
            Connection::check("XTestFakeRelativeMotionEvent",
                              XTestFakeRelativeMotionEvent(display, dx, dy, CurrentTime));
            deliver(display);
        }
    }
    for (const ButtonFlag& entry : kButtonFlags)
        if (flags & entry.flag)
            button(entry.button, entry.down);
    if (flags & mouse::kWheel)
        wheel(std::int32_t(data), kWheelUp, kWheelDown);
    if (flags & mouse::kHWheel)
        wheel(std::int32_t(data), kWheelRight, kWheelLeft);
}

void Input::keybdEvent(std::uint8_t vk, std::uint8_t, std::uint32_t flags, std::uintptr_t)
{
    const unsigned long keysym = keysymForVirtualKey(vk);
    if (keysym == NoSymbol) {
        Connection::check("keysymForVirtualKey", false);
        return;
    }
    std::lock_guard<std::mutex> guard(connection_.lock());
    Display* display = connection_.display();
    const KeyCode keycode = XKeysymToKeycode(display, keysym);
    if (!Connection::check("XKeysymToKeycode", keycode != 0))
        return;
    const bool down = !(flags & key::kKeyUp);
    Connection::check("XTestFakeKeyEvent",
                      XTestFakeKeyEvent(display, keycode, down ? True : False, CurrentTime));
    deliver(display);
}

}  // namespace tavix::platform::x11
