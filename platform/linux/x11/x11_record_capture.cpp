#include "x11_record_capture.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <unistd.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xproto.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/record.h>

#include "tavix/platform/log.h"

namespace tavix::platform::x11 {

namespace {

constexpr int kWheelNotch = 120;

std::int64_t wallClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Errors on the capture's connections are logged; others go to whoever handled
// them before (Xlib's default handler would end the process).
std::mutex errorLock;
XErrorHandler previousHandler = nullptr;
Display* watched[16] = {};  // three per capture
std::atomic<int> captureErrors{0};

int onXError(Display* display, XErrorEvent* event)
{
    bool ours = false;
    {
        std::lock_guard<std::mutex> guard(errorLock);
        ours = std::find(std::begin(watched), std::end(watched), display) != std::end(watched);
    }
    if (!ours)
        return previousHandler ? previousHandler(display, event) : 0;
    ++captureErrors;
    char text[256] = {};
    XGetErrorText(display, event->error_code, text, sizeof text);
    logLine(std::string("X error ") + text + " for request " + std::to_string(event->request_code)
            + " minor " + std::to_string(event->minor_code) + " on the capture connection");
    return 0;
}

void watch(Display* display, bool on)
{
    std::lock_guard<std::mutex> guard(errorLock);
    static bool installed = false;
    if (!installed) {
        previousHandler = XSetErrorHandler(onXError);
        installed = true;
    }
    Display* from = on ? nullptr : display;
    Display* to = on ? display : nullptr;
    auto slot = std::find(std::begin(watched), std::end(watched), from);
    if (slot != std::end(watched))
        *slot = to;
}

Display* openDisplay(const std::string& name)
{
    Display* display = XOpenDisplay(name.c_str());
    if (display)
        watch(display, true);
    return display;
}

void closeDisplay(Display*& display)
{
    if (!display)
        return;
    XCloseDisplay(display);
    watch(display, false);
    display = nullptr;
}

// Desktop coordinates start at the primary screen's top left, as the injection's do.
void primaryOrigin(Display* display, int* x, int* y)
{
    *x = *y = 0;
    int event = 0, error = 0;
    if (!XRRQueryExtension(display, &event, &error))
        return;
    const Window root = DefaultRootWindow(display);
    const RROutput primary = XRRGetOutputPrimary(display, root);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources)
        return;
    if (primary != 0) {
        XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary);
        if (output && output->crtc) {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc)) {
                *x = crtc->x;
                *y = crtc->y;
                XRRFreeCrtcInfo(crtc);
            }
        }
        if (output)
            XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
}

// Pairs the server's millisecond clock with the wall clock: the time stamp of a
// property change of our own, against the wall clock halfway through the round trip.
bool readServerClock(Display* display, std::uint32_t* serverTime, std::int64_t* wallTime)
{
    const Window root = DefaultRootWindow(display);
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    const Window window = XCreateWindow(display, root, -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                                        CopyFromParent, CWEventMask, &attributes);
    if (!window)
        return false;
    const Atom atom = XInternAtom(display, "_TAVIX_CAPTURE_CLOCK", False);
    const std::int64_t before = wallClockMs();
    XChangeProperty(display, window, atom, XA_STRING, 8, PropModeReplace, nullptr, 0);
    XEvent event;
    XWindowEvent(display, window, PropertyChangeMask, &event);
    const std::int64_t after = wallClockMs();
    XDestroyWindow(display, window);
    XFlush(display);
    *serverTime = std::uint32_t(event.xproperty.time);
    *wallTime = before + (after - before) / 2;
    return true;
}

void onRecord(XPointer closure, XRecordInterceptData* data)
{
    reinterpret_cast<RecordCapture*>(closure)->intercept(data->category, data->data,
                                                         data->data_len * 4UL);
    XRecordFreeData(data);
}

}  // namespace

RecordCapture::RecordCapture(std::string displayName) : displayName_(std::move(displayName)) {}

RecordCapture::~RecordCapture()
{
    stop();
}

bool RecordCapture::open(std::string* error)
{
    std::string name = displayName_;
    if (name.empty()) {
        // XWayland offers RECORD but sees only its own clients, not the desktop.
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        if (wayland && *wayland) {
            *error = "a Wayland session does not let programs capture the desktop's input";
            return false;
        }
        const char* display = std::getenv("DISPLAY");
        name = display ? display : "";
    }
    if (name.empty()) {
        *error = "no X display to capture (DISPLAY is not set)";
        return false;
    }
    control_ = openDisplay(name);
    if (!control_) {
        *error = "cannot open the X display " + name;
        return false;
    }
    int major = 0, minor = 0;
    if (!XRecordQueryVersion(control_, &major, &minor)) {
        *error = "the X display " + name + " has no RECORD extension";
        return false;
    }
    data_ = openDisplay(name);
    if (!data_) {
        *error = "cannot open a second connection to the X display " + name;
        return false;
    }
    XRecordRange* range = XRecordAllocRange();
    if (!range) {
        *error = "out of memory";
        return false;
    }
    range->device_events.first = KeyPress;
    range->device_events.last = MotionNotify;
    XRecordClientSpec clients = XRecordAllClients;
    const int errorsBefore = captureErrors;
    context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(control_, False);
    if (!context_ || captureErrors != errorsBefore) {
        *error = "the X display " + name + " refused a RECORD context";
        context_ = 0;
        return false;
    }
    name_ = name;
    primaryOrigin(control_, &originX_, &originY_);
    anchored_ = readServerClock(control_, &anchorServer_, &anchorWall_);
    keymap_ = openKeymapWatch();
    keys_.load(keymap_ ? keymap_ : control_);
    if (pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        *error = "cannot create the capture thread's wake-up pipe";
        return false;
    }
    if (!XRecordEnableContextAsync(data_, context_, onRecord, reinterpret_cast<XPointer>(this))) {
        *error = "the X display " + name + " refused to enable the RECORD context";
        return false;
    }
    XFlush(data_);
    return true;
}

bool RecordCapture::start(Deliver deliver, std::string* error)
{
    if (thread_.joinable())
        return true;
    std::string reason;
    if (!open(&reason)) {
        logLine("Global input capture cannot start: " + reason);
        if (error)
            *error = reason;
        close();
        return false;
    }
    deliver_ = std::move(deliver);
    ended_ = false;
    lastWall_ = 0;
    thread_ = std::thread([this] { run(); });
    return true;
}

Display* RecordCapture::openKeymapWatch()
{
    Display* display = openDisplay(name_);
    if (!display)
        return nullptr;
    const unsigned int changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    if (!XkbSelectEvents(display, XkbUseCoreKbd, changes, changes)) {
        closeDisplay(display);
        return nullptr;
    }
    XSync(display, False);
    return display;
}

void RecordCapture::reloadKeys()
{
    // A fresh connection: Xlib's key caches of the old one still hold the old map.
    closeDisplay(keymap_);
    keymap_ = openKeymapWatch();
    if (keymap_)
        keys_.load(keymap_);
}

void RecordCapture::run()
{
    const int xfd = ConnectionNumber(data_);
    while (!ended_) {
        // Handles whatever Xlib has buffered or the socket holds, without blocking.
        XRecordProcessReplies(data_);
        if (ended_)
            break;
        // Any event on the watch connection is a change of the keyboard map.
        if (keymap_ && XPending(keymap_) > 0) {
            while (XPending(keymap_) > 0) {
                XEvent event;
                XNextEvent(keymap_, &event);
            }
            reloadKeys();
            continue;
        }
        pollfd fds[3] = {{xfd, POLLIN, 0},
                         {wakePipe_[0], POLLIN, 0},
                         {keymap_ ? ConnectionNumber(keymap_) : -1, POLLIN, 0}};
        if (poll(fds, 3, -1) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN)
            break;  // abandoned: the server never ended the stream
    }
    std::lock_guard<std::mutex> guard(endMutex_);
    ended_ = true;
    endChanged_.notify_all();
}

void RecordCapture::stop()
{
    if (!thread_.joinable()) {
        close();
        return;
    }
    // The server answers the disable with the end of the stream, after every
    // event recorded before it: the thread delivers those, then ends.
    XRecordDisableContext(control_, context_);
    XSync(control_, False);
    {
        std::unique_lock<std::mutex> lock(endMutex_);
        if (!endChanged_.wait_for(lock, std::chrono::seconds(3), [this] { return bool(ended_); })) {
            logLine("The X server did not end the RECORD stream; capture abandoned");
            const char wake = 1;
            if (write(wakePipe_[1], &wake, 1) < 0)
                logLine("cannot wake the capture thread");
        }
    }
    thread_.join();
    close();
}

void RecordCapture::close()
{
    if (control_ && context_) {
        XRecordFreeContext(control_, context_);
        XSync(control_, False);
    }
    context_ = 0;
    closeDisplay(data_);
    closeDisplay(keymap_);
    closeDisplay(control_);
    for (int& fd : wakePipe_) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

std::int64_t RecordCapture::wallTime(std::uint32_t serverTime)
{
    const std::int64_t received = wallClockMs();
    if (!anchored_) {
        anchored_ = true;
        anchorServer_ = serverTime;
        anchorWall_ = received;
    }
    const auto elapsed = std::int32_t(serverTime - anchorServer_);
    // Never later than its arrival, never earlier than the event before it.
    lastWall_ = std::max(lastWall_, std::min(anchorWall_ + elapsed, received));
    return lastWall_;
}

void RecordCapture::intercept(int category, const unsigned char* data, unsigned long length)
{
    if (category == XRecordEndOfData) {
        ended_ = true;
        return;
    }
    if (category != XRecordFromServer || length < sizeof(xEvent))
        return;
    const auto* event = reinterpret_cast<const xEvent*>(data);
    const int type = event->u.u.type & 0x7F;
    const unsigned int detail = event->u.u.detail;
    const auto& pointer = event->u.keyButtonPointer;

    CaptureEvent out;
    out.receivedNs = captureClockNs();
    out.x = pointer.rootX - originX_;
    out.y = pointer.rootY - originY_;
    switch (type) {
    case MotionNotify: out.kind = CaptureEvent::Motion; break;
    case ButtonPress:
    case ButtonRelease: {
        const bool press = type == ButtonPress;
        if (detail == 4 || detail == 5) {
            // Wheel notches are a press and a release of buttons 4 and 5; one record per notch.
            if (!press)
                return;
            out.kind = CaptureEvent::Wheel;
            out.wheelDelta = detail == 4 ? kWheelNotch : -kWheelNotch;
            break;
        }
        static constexpr CaptureEvent::Button kButtons[] = {
            CaptureEvent::NoButton, CaptureEvent::Left, CaptureEvent::Middle, CaptureEvent::Right};
        if (detail < 1 || detail > 3)
            return;  // horizontal wheel and extra buttons
        out.kind = press ? CaptureEvent::ButtonDown : CaptureEvent::ButtonUp;
        out.button = kButtons[detail];
        break;
    }
    case KeyPress:
    case KeyRelease: {
        const unsigned int group = (pointer.state >> 13) & 3;
        out.virtualKey = keys_.virtualKey(detail, group);
        if (out.virtualKey == 0) {
            logLine("No virtual key for X key code " + std::to_string(detail) + " in layout group "
                    + std::to_string(group) + "; the key is not recorded");
            return;
        }
        out.kind = type == KeyPress ? CaptureEvent::KeyDown : CaptureEvent::KeyUp;
        break;
    }
    default: return;
    }
    out.timeMs = wallTime(pointer.time);
    deliver_(out);
}

}  // namespace tavix::platform::x11
