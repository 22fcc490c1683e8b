// Grabs of the primary screen.
#pragma once

#include <QImage>
#include <QRect>

namespace tavix::platform {

class ScreenBackend {
public:
    virtual ~ScreenBackend() = default;

    // Grabs `area` (desktop pixels, origin at the primary screen's top left);
    // the default QRect() means the whole primary screen. Returns a 32-bit image
    // (QImage::Format_RGB32 or ARGB32), or a null image when the area is not
    // inside the primary screen or no grab is possible.
    virtual QImage grab(const QRect& area = QRect()) = 0;
};

}  // namespace tavix::platform
