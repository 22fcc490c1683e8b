/* The baseclass family: message boxes, toasts, sleeping, screenshots, clipboard, pixel colour. */
#ifndef TAVIX_BASECLASS_H
#define TAVIX_BASECLASS_H
#include "common.h"

TX_BEGIN_DECLS

TX_EXPORT const char* TX_baseclass_getClip(void);
TX_EXPORT const char* TX_baseclass_getColor(int x, int y);
TX_EXPORT void TX_baseclass_msg(const char* text);
TX_EXPORT bool TX_baseclass_screenshots(const char* path);
TX_EXPORT void TX_baseclass_sleep(int ms);
TX_EXPORT void TX_baseclass_toast(const char* text);

TX_END_DECLS
#endif
