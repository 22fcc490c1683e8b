/* The imagev family: find a template (a data URL) on the screen and act there. */
#ifndef TAVIX_IMAGEV_H
#define TAVIX_IMAGEV_H
#include "common.h"

TX_BEGIN_DECLS

/* Grabs the primary screen and searches imgdata (a picture data URL) within
 * x1..y2. After a search *outX, *outY hold the match's centre, or -1, -1 when
 * nothing is found (0, 0 for a match at the screen's top-left pixel, which
 * counts as not found). False when imgdata is no picture or there is no
 * screen (the out-parameters are then not written) or nothing is found. */
TX_EXPORT bool TX_imagev_findImage(int x1, int y1, int x2, int y2, const char* imgdata,
                                   int* outX, int* outY);
/* The calls below search the whole screen (the ...Rect ones within x1..y2) and
 * perform their mouse action at the centre of the match. False, with no action,
 * when nothing is found or imgdata is no picture. */
TX_EXPORT bool TX_imagev_mouseLeftClick(const char* imgdata);
TX_EXPORT bool TX_imagev_mouseLeftDoubleClick(const char* imgdata);
TX_EXPORT bool TX_imagev_mouseLeftDown(const char* imgdata);
TX_EXPORT bool TX_imagev_mouseLeftUp(const char* imgdata);
TX_EXPORT bool TX_imagev_mouseRightClick(const char* imgdata);
TX_EXPORT bool TX_imagev_mouseRightDoubleClick(const char* imgdata);
TX_EXPORT bool TX_imagev_mouseRightDown(const char* imgdata);
TX_EXPORT bool TX_imagev_mouseRightUp(const char* imgdata);
TX_EXPORT bool TX_imagev_mouseLeftClickRect(int x1, int y1, int x2, int y2, const char* imgdata);
TX_EXPORT bool TX_imagev_mouseLeftDoubleClickRect(int x1, int y1, int x2, int y2,
                                                  const char* imgdata);
TX_EXPORT bool TX_imagev_mouseLeftDownRect(int x1, int y1, int x2, int y2, const char* imgdata);
TX_EXPORT bool TX_imagev_mouseLeftUpRect(int x1, int y1, int x2, int y2, const char* imgdata);
TX_EXPORT bool TX_imagev_mouseRightClickRect(int x1, int y1, int x2, int y2, const char* imgdata);
TX_EXPORT bool TX_imagev_mouseRightDoubleClickRect(int x1, int y1, int x2, int y2,
                                                   const char* imgdata);
TX_EXPORT bool TX_imagev_mouseRightDownRect(int x1, int y1, int x2, int y2, const char* imgdata);
TX_EXPORT bool TX_imagev_mouseRightUpRect(int x1, int y1, int x2, int y2, const char* imgdata);

TX_END_DECLS
#endif
