// The primary screen as the engine sees it.
#pragma once

#include <QImage>
#include <QRect>

namespace tavix::core {

// The primary screen's geometry; an empty rectangle without one.
QRect primaryScreenGeometry();

// Width and height of the primary screen in pixels; 0, 0 without one.
QSize primaryScreenSize();

// Grabs `area` of the primary screen (null: all of it) through the platform
// layer; a null image when nothing can be grabbed or the area is off the screen.
QImage grabScreen(const QRect& area = QRect());

}  // namespace tavix::core
