#include "image/visual_actions.h"

#include <QByteArray>
#include <cstring>

#include "core/desktop.h"
#include "image/image_codec.h"
#include "image/template_search.h"

namespace tavix::image {

namespace {

// The visual actions' fixed search settings.
constexpr float kThreshold = 0.9f;
constexpr int kLevel = 0;

constexpr char kDataImagePrefix[] = "data:image/";
constexpr char kBase64Marker[] = "base64,";

// The Base64 part of a picture data URL; null when the text is not one.
const char* base64Payload(const char* imgdata)
{
    if (!imgdata || std::strncmp(imgdata, kDataImagePrefix, sizeof kDataImagePrefix - 1) != 0)
        return nullptr;
    const char* marker = std::strstr(imgdata, kBase64Marker);
    return marker ? marker + sizeof kBase64Marker - 1 : nullptr;
}

}  // namespace

bool findOnScreen(const Corners& corners, const char* imgdata, int* outX, int* outY)
{
    const char* payload = base64Payload(imgdata);
    if (!payload) {
        qWarning("The template is not a picture data URL (data:image/...;base64,...)");
        return false;
    }
    const QImage templ = decodeBase64Image(QByteArray(payload));
    if (templ.isNull()) {
        qWarning("The template data URL does not hold a picture");
        return false;
    }
    const QImage capture = core::grabScreen();
    if (capture.isNull()) {
        qWarning("No screen to search the template on");
        return false;
    }
    const QPoint found = searchTemplate(capture, templ, kThreshold, corners, kLevel);
    int x = found.x();
    int y = found.y();
    if (outX)
        *outX = x;
    if (outY)
        *outY = y;
    if (found == QPoint(-1, -1) || found == QPoint(0, 0))
        return false;
    x += templ.width() / 2;
    y += templ.height() / 2;
    if (outX)
        *outX = x;
    if (outY)
        *outY = y;
    return x <= capture.width() && y <= capture.height();
}

bool actOnScreenRect(const Corners& corners, const char* imgdata, core::MouseAction action)
{
    int x = -1, y = -1;
    if (!findOnScreen(corners, imgdata, &x, &y))
        return false;
    core::mouseAct(x, y, 0, 0, action);
    return true;
}

bool actOnScreen(const char* imgdata, core::MouseAction action)
{
    const QSize screen = core::primaryScreenSize();
    return actOnScreenRect({0, 0, screen.width(), screen.height()}, imgdata, action);
}

}  // namespace tavix::image
