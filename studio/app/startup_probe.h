// For the start-up benchmark: with VANTOR_STARTUP_PROBE set, the program
// writes the line "first-paint" on standard output once its main window has
// been painted for the first time.
#pragma once

class QWidget;

namespace vantor {

void watchFirstPaint(QWidget* window);

}  // namespace vantor
