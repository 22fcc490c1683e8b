#include "x11_connection.h"

#include <atomic>
#include <string>

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>

#include "tavix/platform/log.h"

namespace tavix::platform::x11 {

namespace {

XErrorHandler previousHandler = nullptr;
Display* ownDisplay = nullptr;
std::atomic<int> errors{0};

// Errors on our connection are logged by request code instead of ending the
// process (Xlib's default); others go to whoever handled them before.
int onXError(Display* display, XErrorEvent* event)
{
    if (display != ownDisplay)
        return previousHandler ? previousHandler(display, event) : 0;
    ++errors;
    char text[256] = {};
    XGetErrorText(display, event->error_code, text, sizeof text);
    logLine(std::string("X error ") + text + " for request " + std::to_string(event->request_code)
            + " minor " + std::to_string(event->minor_code));
    return 0;
}

}  // namespace

Connection* Connection::instance()
{
    static Connection* const connection = []() -> Connection* {
        Display* display = XOpenDisplay(nullptr);
        if (!check("XOpenDisplay", display != nullptr))
            return nullptr;
        return new Connection(display);
    }();
    return connection;
}

Connection::Connection(Display* display) : display_(display)
{
    ownDisplay = display;
    previousHandler = XSetErrorHandler(onXError);
    int event = 0, error = 0, major = 0, minor = 0;
    hasXTest_ = check("XTestQueryExtension", XTestQueryExtension(display, &event, &error, &major, &minor));
    hasShm_ = XShmQueryExtension(display);
}

bool Connection::check(const char* call, bool ok)
{
    if (!ok)
        logLine(std::string(call) + " failed");
    return ok;
}

int Connection::errorCount()
{
    return errors;
}

Rect Connection::primaryGeometry()
{
    std::lock_guard<std::mutex> guard(mutex_);
    const auto now = std::chrono::steady_clock::now();
    if (primary_.isEmpty() || now - primaryRead_ > std::chrono::seconds(1)) {
        primary_ = readPrimaryGeometry();
        primaryRead_ = now;
    }
    return primary_;
}

Rect Connection::readPrimaryGeometry()
{
    const Window root = DefaultRootWindow(display_);
    Rect geometry{0, 0, DisplayWidth(display_, DefaultScreen(display_)),
                  DisplayHeight(display_, DefaultScreen(display_))};
    int event = 0, error = 0;
    if (!XRRQueryExtension(display_, &event, &error))
        return geometry;
    const RROutput primary = XRRGetOutputPrimary(display_, root);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display_, root);
    if (!resources)
        return geometry;
    for (int i = 0; primary != 0 && i < resources->noutput; ++i) {
        if (resources->outputs[i] != primary)
            continue;
        XRROutputInfo* output = XRRGetOutputInfo(display_, resources, primary);
        if (output && output->crtc) {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display_, resources, output->crtc)) {
                if (crtc->width > 0 && crtc->height > 0)
                    geometry = Rect{crtc->x, crtc->y, int(crtc->width), int(crtc->height)};
                XRRFreeCrtcInfo(crtc);
            }
        }
        if (output)
            XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return geometry;
}

}  // namespace tavix::platform::x11
