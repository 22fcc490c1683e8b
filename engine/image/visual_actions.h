// The imagev family: finds a template, given as a data URL, on the primary
// screen and performs a mouse action at the centre of the match.
#pragma once

#include "core/mouse_acts.h"
#include "image/search_area.h"

namespace tavix::image {

class ImagevFamily {
public:
    // Locates the template within `corners` of a fresh screen capture; on
    // success `*outX`, `*outY` hold the centre of the match.
    bool findImage(const Corners& corners, const char* imgdata, int* outX, int* outY);

    // Locates within `corners` and, when found, performs `action` there.
    bool actRect(const Corners& corners, const char* imgdata, MouseAction action);

    // The same over the whole primary screen.
    bool act(const char* imgdata, MouseAction action);
};

}  // namespace tavix::image
