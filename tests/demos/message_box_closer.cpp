#include "message_box_closer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace demos_test {

namespace {

// Ignores errors of windows that vanish between listing and asking about them.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

bool titled(Display* display, Window window, const QByteArray& title)
{
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return false;
    const bool match = title == name;
    XFree(name);
    return match;
}

bool shown(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

}  // namespace

MessageBoxCloser::MessageBoxCloser(const QString& title) : display_(XOpenDisplay(nullptr)), title_(title)
{
    XSetErrorHandler(ignoreErrors);
}

MessageBoxCloser::~MessageBoxCloser()
{
    if (display_)
        XCloseDisplay(display_);
}

bool MessageBoxCloser::poke()
{
    if (!display_)
        return false;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
        return false;
    bool found = false;
    const QByteArray title = title_.toUtf8();
    const KeyCode returnKey = XKeysymToKeycode(display_, XK_Return);
    for (unsigned int i = 0; i < count; ++i) {
        if (!shown(display_, children[i]) || !titled(display_, children[i], title))
            continue;
        found = true;
        XSetInputFocus(display_, children[i], RevertToPointerRoot, CurrentTime);
        XTestFakeKeyEvent(display_, returnKey, True, CurrentTime);
        XTestFakeKeyEvent(display_, returnKey, False, CurrentTime);
    }
    if (children)
        XFree(children);
    XSync(display_, False);
    if (found)
        ++seen_;
    return found;
}

ScreenSize displaySize()
{
    ScreenSize size;
    if (Display* display = XOpenDisplay(nullptr)) {
        size.width = DisplayWidth(display, DefaultScreen(display));
        size.height = DisplayHeight(display, DefaultScreen(display));
        XCloseDisplay(display);
    }
    return size;
}

}  // namespace demos_test
