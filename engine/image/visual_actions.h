// The imagev family: finds a template, given as a data URL, on the primary
// screen and performs a mouse action at the centre of the match.
#pragma once

#include "core/mouse_acts.h"
#include "image/search_area.h"

namespace tavix::image {

// Locates the template within `corners` of a fresh screen capture; on
// success `*outX`, `*outY` hold the centre of the match.
bool findOnScreen(const Corners& corners, const char* imgdata, int* outX, int* outY);

// Locates within `corners` and, when found, performs `action` there.
bool actOnScreenRect(const Corners& corners, const char* imgdata, core::MouseAction action);

// The same over the whole primary screen.
bool actOnScreen(const char* imgdata, core::MouseAction action);

}  // namespace tavix::image
