/* The cs family: mouse and keyboard injection. Coordinates are desktop pixels
 * with the origin at the primary screen's top left; key codes are Windows
 * virtual-key codes (low 8 bits used). */
#ifndef TAVIX_CS_H
#define TAVIX_CS_H
#include "common.h"

TX_BEGIN_DECLS

/* Presses Windows+D (show the desktop). Calls without a display are dropped
 * with a log line, as are the mouse and key calls below. */
TX_EXPORT void TX_cs_home(void);
/* Moves the cursor to x, y and clicks there; the other mouse calls below
 * work the same way. No result: failures are only logged. */
TX_EXPORT void TX_cs_mouseLeftClick(int x, int y);
TX_EXPORT void TX_cs_mouseLeftDoubleClick(int x, int y);
TX_EXPORT void TX_cs_mouseLeftDown(int x, int y);
TX_EXPORT void TX_cs_mouseLeftUp(int x, int y);
TX_EXPORT void TX_cs_mouseRightClick(int x, int y);
TX_EXPORT void TX_cs_mouseRightDoubleClick(int x, int y);
TX_EXPORT void TX_cs_mouseRightDown(int x, int y);
TX_EXPORT void TX_cs_mouseRightUp(int x, int y);
TX_EXPORT void TX_cs_mouseMiddleClick(int x, int y);
TX_EXPORT void TX_cs_mouseMiddleDoubleClick(int x, int y);
TX_EXPORT void TX_cs_mouseMiddleDown(int x, int y);
TX_EXPORT void TX_cs_mouseMiddleUp(int x, int y);
TX_EXPORT void TX_cs_mouseMove(int x, int y);
/* Presses the left button at x, y, moves to x1, y1 and releases there. */
TX_EXPORT void TX_cs_mouseDrag(int x, int y, int x1, int y1);
/* Key down and up of a virtual-key code; TX_cs_keyDown / TX_cs_keyUp send one half. */
TX_EXPORT void TX_cs_keyPress(int code);
TX_EXPORT void TX_cs_keyDown(int code);
TX_EXPORT void TX_cs_keyUp(int code);

TX_END_DECLS
#endif
