// X11: the display's gamma ramp through RandR, on the primary output's CRTC.
#include "x11_gamma.h"

#include "x11_connection.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace tavix::platform::x11 {

namespace {

// The CRTC showing the primary output, else the first one that shows anything.
RRCrtc primaryCrtc(Display* display, Window root, XRRScreenResources* resources)
{
    const RROutput primary = XRRGetOutputPrimary(display, root);
    RRCrtc fallback = 0;
    for (int i = 0; i < resources->noutput; ++i) {
        XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[i]);
        if (!output)
            continue;
        const RRCrtc crtc = output->crtc;
        XRRFreeOutputInfo(output);
        if (crtc && resources->outputs[i] == primary)
            return crtc;
        if (crtc && !fallback)
            fallback = crtc;
    }
    return fallback;
}

// The CRTC whose gamma the engine uses; 0 when RandR 1.2 or a CRTC is missing.
RRCrtc gammaCrtc(Display* display)
{
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &event, &error) || !XRRQueryVersion(display, &major, &minor)
        || (major == 1 && minor < 2))
        return 0;
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources)
        return 0;
    const RRCrtc crtc = primaryCrtc(display, root, resources);
    XRRFreeScreenResources(resources);
    return crtc;
}

}  // namespace

std::vector<std::uint16_t> currentGammaRed()
{
    Connection* connection = Connection::instance();
    if (!connection)
        return {};
    std::lock_guard<std::mutex> guard(connection->lock());
    Display* display = connection->display();
    const RRCrtc crtc = gammaCrtc(display);
    if (!crtc || XRRGetCrtcGammaSize(display, crtc) <= 1)
        return {};
    XRRCrtcGamma* gamma = XRRGetCrtcGamma(display, crtc);
    if (!gamma)
        return {};
    std::vector<std::uint16_t> red(gamma->red, gamma->red + gamma->size);
    XRRFreeGamma(gamma);
    return red;
}

bool setGammaRamp(const device::GammaRamp& ramp)
{
    Connection* connection = Connection::instance();
    if (!connection)
        return false;
    std::lock_guard<std::mutex> guard(connection->lock());
    Display* display = connection->display();
    const RRCrtc crtc = gammaCrtc(display);
    if (!crtc)
        return false;
    const int size = XRRGetCrtcGammaSize(display, crtc);
    if (size <= 1)
        return false;
    XRRCrtcGamma* gamma = XRRAllocGamma(size);
    if (!gamma)
        return false;
    // The CRTC's table need not have 256 entries: each takes the nearest one of ours.
    for (int i = 0; i < size; ++i) {
        const std::size_t index = std::size_t(i) * (ramp.size() - 1) / std::size_t(size - 1);
        gamma->red[i] = gamma->green[i] = gamma->blue[i] = ramp[index];
    }
    const int errorsBefore = Connection::errorCount();
    XRRSetCrtcGamma(display, crtc, gamma);
    XSync(display, False);
    XRRFreeGamma(gamma);
    return Connection::check("XRRSetCrtcGamma", Connection::errorCount() == errorsBefore);
}

}  // namespace tavix::platform::x11
