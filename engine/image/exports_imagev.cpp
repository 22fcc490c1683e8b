// Exports of the imagev family: each forwards to the screen search with its mouse action.
// One export a line, as a table.
// clang-format off
#include "core/guard.h"
#include "image/visual_actions.h"
#include "tavix.h"

using namespace tavix;
using namespace tavix::core;

namespace {
bool act(const char* function, const char* imgdata, MouseAction action)
{
    return guarded(function, false, [&] { return image::actOnScreen(imgdata, action); });
}
bool actRect(const char* function, int x1, int y1, int x2, int y2, const char* imgdata, MouseAction action)
{
    return guarded(function, false, [&] { return image::actOnScreenRect({x1, y1, x2, y2}, imgdata, action); });
}
}  // namespace

bool TX_imagev_findImage(int x1, int y1, int x2, int y2, const char* imgdata, int* outX, int* outY) { return guarded(__func__, false, [&] { return image::findOnScreen({x1, y1, x2, y2}, imgdata, outX, outY); }); }
bool TX_imagev_mouseLeftClick(const char* imgdata) { return act(__func__, imgdata, LeftClick); }
bool TX_imagev_mouseLeftDoubleClick(const char* imgdata) { return act(__func__, imgdata, LeftDoubleClick); }
bool TX_imagev_mouseLeftDown(const char* imgdata) { return act(__func__, imgdata, LeftDown); }
bool TX_imagev_mouseLeftUp(const char* imgdata) { return act(__func__, imgdata, LeftUp); }
bool TX_imagev_mouseRightClick(const char* imgdata) { return act(__func__, imgdata, RightClick); }
bool TX_imagev_mouseRightDoubleClick(const char* imgdata) { return act(__func__, imgdata, RightDoubleClick); }
bool TX_imagev_mouseRightDown(const char* imgdata) { return act(__func__, imgdata, RightDown); }
bool TX_imagev_mouseRightUp(const char* imgdata) { return act(__func__, imgdata, RightUp); }
bool TX_imagev_mouseLeftClickRect(int x1, int y1, int x2, int y2, const char* imgdata) { return actRect(__func__, x1, y1, x2, y2, imgdata, LeftClick); }
bool TX_imagev_mouseLeftDoubleClickRect(int x1, int y1, int x2, int y2, const char* imgdata) { return actRect(__func__, x1, y1, x2, y2, imgdata, LeftDoubleClick); }
bool TX_imagev_mouseLeftDownRect(int x1, int y1, int x2, int y2, const char* imgdata) { return actRect(__func__, x1, y1, x2, y2, imgdata, LeftDown); }
bool TX_imagev_mouseLeftUpRect(int x1, int y1, int x2, int y2, const char* imgdata) { return actRect(__func__, x1, y1, x2, y2, imgdata, LeftUp); }
bool TX_imagev_mouseRightClickRect(int x1, int y1, int x2, int y2, const char* imgdata) { return actRect(__func__, x1, y1, x2, y2, imgdata, RightClick); }
bool TX_imagev_mouseRightDoubleClickRect(int x1, int y1, int x2, int y2, const char* imgdata) { return actRect(__func__, x1, y1, x2, y2, imgdata, RightDoubleClick); }
bool TX_imagev_mouseRightDownRect(int x1, int y1, int x2, int y2, const char* imgdata) { return actRect(__func__, x1, y1, x2, y2, imgdata, RightDown); }
bool TX_imagev_mouseRightUpRect(int x1, int y1, int x2, int y2, const char* imgdata) { return actRect(__func__, x1, y1, x2, y2, imgdata, RightUp); }
