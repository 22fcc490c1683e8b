/* The baseclass family: message boxes, toasts, sleeping, screenshots, clipboard, pixel colour. */
#ifndef TAVIX_BASECLASS_H
#define TAVIX_BASECLASS_H
#include "common.h"

TX_BEGIN_DECLS

/* The clipboard's text; "" when it holds none or there is no display. The
 * result is the engine's 16384-byte array (longer texts are cut at a whole UTF-8
 * character), valid until the next TX_baseclass_getClip. */
TX_EXPORT const char* TX_baseclass_getClip(void);
/* The colour of screen pixel x, y as "#rrggbb"; "" when it cannot be grabbed.
 * The engine's own 16384-byte array, valid until the next TX_baseclass_getColor. */
TX_EXPORT const char* TX_baseclass_getColor(int x, int y);
/* Shows a message box on the engine application's thread and returns when it
 * is closed; nothing happens without a display. */
TX_EXPORT void TX_baseclass_msg(const char* text);
/* Saves a grab of the primary screen to path (format from the extension).
 * False when nothing can be grabbed or the file cannot be written. */
TX_EXPORT bool TX_baseclass_screenshots(const char* path);
/* Sleeps ms milliseconds; 0 and negative values return at once. */
TX_EXPORT void TX_baseclass_sleep(int ms);
/* Shows a short-lived notice without blocking for it to close. */
TX_EXPORT void TX_baseclass_toast(const char* text);

TX_END_DECLS
#endif
