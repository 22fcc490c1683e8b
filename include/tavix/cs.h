/* The cs family: mouse and keyboard injection. Coordinates are desktop pixels
 * with the origin at the primary screen's top left; key codes are Windows
 * virtual-key codes (low 8 bits used). */
#ifndef TAVIX_CS_H
#define TAVIX_CS_H
#include "common.h"

TX_BEGIN_DECLS

TX_EXPORT void TX_cs_home(void);
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
TX_EXPORT void TX_cs_mouseDrag(int x, int y, int x1, int y1);
TX_EXPORT void TX_cs_keyPress(int code);
TX_EXPORT void TX_cs_keyDown(int code);
TX_EXPORT void TX_cs_keyUp(int code);

TX_END_DECLS
#endif
