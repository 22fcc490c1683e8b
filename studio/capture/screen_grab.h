// The grab of the whole primary screen that the capture overlay freezes.
#pragma once

#include <QImage>
#include <QString>

namespace vantor {

// The primary screen as it is now, through the platform layer; a null image,
// with a log line, when it cannot be read (no display, a window system that
// refuses access).
QImage grabPrimaryScreen();

// What the user is told when grabPrimaryScreen() fails.
QString grabFailureText();

}  // namespace vantor
