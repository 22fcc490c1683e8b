// Performs one mouse action through the platform's input backend.
#pragma once

#include <cstdint>

namespace tavix::core {

// Action codes of mouseAct.
enum MouseAction : int {
    LeftClick = 1, LeftDoubleClick, LeftDown, LeftUp,
    RightClick, RightDoubleClick, RightDown, RightUp,
    MiddleClick, MiddleDoubleClick, MiddleDown, MiddleUp,
    Move, Drag,
};

// The normalised absolute coordinate (0..65535 across `extent` pixels) of pixel
// `value` (see tavix::platform::convert::toNormalised).
std::int32_t normalisedCoordinate(int value, int extent);

// Places the cursor at `x`, `y` and performs action `type` there (a drag ends at `x1`, `y1`);
// other codes only place the cursor.
void mouseAct(int x, int y, int x1, int y1, int type);

}  // namespace tavix::core
