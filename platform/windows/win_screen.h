// Grabs of the primary screen through GDI: one BitBlt from the screen's DC
// into a top-down 32-bit DIB section, which the pixel buffer then owns.
#pragma once

#include "tavix/platform/screen.h"

namespace tavix::platform::windows {

class GdiScreen : public ScreenBackend {
public:
    PixelBuffer grab(const Rect& area = Rect()) override;
};

}  // namespace tavix::platform::windows
