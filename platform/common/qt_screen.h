// Screen grabs through Qt's window grab, where no faster native grab exists.
#pragma once

#include "tavix/platform/screen.h"

namespace tavix::platform {

class QtScreen : public ScreenBackend {
public:
    QImage grab(const QRect& area) override;
};

// No screen to grab (headless): every grab fails.
class NullScreen : public ScreenBackend {
public:
    QImage grab(const QRect&) override { return {}; }
};

// Clips the requested area against the primary screen: the whole screen for
// QRect(), an empty rectangle when the area is not inside the screen.
QRect areaOnScreen(const QRect& area, const QRect& screen);

}  // namespace tavix::platform
