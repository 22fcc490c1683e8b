// The platform layer seen from Qt: grabs as QImage, rectangles as QRect, and
// the layer's log lines in Qt's message log.
#pragma once

#include <QImage>
#include <QRect>

#include "tavix/platform/geometry.h"
#include "tavix/platform/pixels.h"

namespace tavix::platform::qt {

// An image over the buffer's memory, without a copy; it keeps the buffer
// alive. A null image for a null buffer.
QImage toImage(const PixelBuffer& buffer);

Rect toRect(const QRect& rect);

// Grabs `area` of the primary screen (QRect(): all of it): through the
// system's own grab where Qt runs on that system's display, else through Qt's
// window grab. A null image without a display, or when the area is not inside
// the primary screen.
QImage grabScreen(const QRect& area = QRect());

// Sends the platform layer's log lines to Qt's message log, category
// "tavix.platform".
void installLogSink();

}  // namespace tavix::platform::qt
