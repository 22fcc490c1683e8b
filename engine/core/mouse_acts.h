// Performs one mouse action through the platform's input backend.
#pragma once

#include <QObject>
#include <cstdint>

namespace tavix {

// Action codes of doPressAct.
enum MouseAction : int {
    LeftClick = 1, LeftDoubleClick, LeftDown, LeftUp,
    RightClick, RightDoubleClick, RightDown, RightUp,
    MiddleClick, MiddleDoubleClick, MiddleDown, MiddleUp,
    Move, Drag,
};

// The normalised absolute coordinate (0..65535 across `extent` pixels) of pixel
// `value`: (value * 65536) / extent, truncated toward zero, computed in 64 bits
// and saturated to 32 bits so that far-off coordinates cannot overflow.
std::int32_t normalisedCoordinate(int value, int extent);

// A plain QObject rather than a widget: it is created on whatever thread calls
// the engine, where widgets must not be built.
class MouseActs : public QObject {
    Q_OBJECT
public slots:
    void getClickedPos() {}
    void doPressAct(int x, int y, int x1, int y1, int type);
};

}  // namespace tavix
