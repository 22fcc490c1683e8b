// Grabs of the primary screen.
#pragma once

#include "tavix/platform/geometry.h"
#include "tavix/platform/pixels.h"

namespace tavix::platform {

class ScreenBackend {
public:
    virtual ~ScreenBackend() = default;

    // Grabs `area` (desktop pixels, origin at the primary screen's top left);
    // the default Rect means the whole primary screen. A null buffer when the
    // area is not inside the primary screen or no grab is possible.
    virtual PixelBuffer grab(const Rect& area = Rect()) = 0;
};

}  // namespace tavix::platform
