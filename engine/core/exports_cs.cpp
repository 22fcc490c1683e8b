// Exports of the cs family: each mouse export performs one mouse action.
// One export a line, as a table.
// clang-format off
#include "guard.h"
#include "keyboard.h"
#include "mouse_acts.h"
#include "tavix.h"

using namespace tavix;
using namespace tavix::core;

namespace {
void act(const char* function, int type, int x, int y, int x1 = 0, int y1 = 0)
{
    guarded(function, [&] { mouseAct(x, y, x1, y1, type); });
}
}  // namespace

void TX_cs_mouseLeftClick(int x, int y) { act(__func__, LeftClick, x, y); }
void TX_cs_mouseLeftDoubleClick(int x, int y) { act(__func__, LeftDoubleClick, x, y); }
void TX_cs_mouseLeftDown(int x, int y) { act(__func__, LeftDown, x, y); }
void TX_cs_mouseLeftUp(int x, int y) { act(__func__, LeftUp, x, y); }
void TX_cs_mouseRightClick(int x, int y) { act(__func__, RightClick, x, y); }
void TX_cs_mouseRightDoubleClick(int x, int y) { act(__func__, RightDoubleClick, x, y); }
void TX_cs_mouseRightDown(int x, int y) { act(__func__, RightDown, x, y); }
void TX_cs_mouseRightUp(int x, int y) { act(__func__, RightUp, x, y); }
void TX_cs_mouseMiddleClick(int x, int y) { act(__func__, MiddleClick, x, y); }
void TX_cs_mouseMiddleDoubleClick(int x, int y) { act(__func__, MiddleDoubleClick, x, y); }
void TX_cs_mouseMiddleDown(int x, int y) { act(__func__, MiddleDown, x, y); }
void TX_cs_mouseMiddleUp(int x, int y) { act(__func__, MiddleUp, x, y); }
void TX_cs_mouseMove(int x, int y) { act(__func__, Move, x, y); }
void TX_cs_mouseDrag(int x, int y, int x1, int y1) { act(__func__, Drag, x, y, x1, y1); }

void TX_cs_keyPress(int code) { guarded(__func__, [&] { core::keyPress(code); }); }
void TX_cs_keyDown(int code) { guarded(__func__, [&] { core::keyDown(code); }); }
void TX_cs_keyUp(int code) { guarded(__func__, [&] { core::keyUp(code); }); }
void TX_cs_home(void) { guarded(__func__, [] { core::home(); }); }
