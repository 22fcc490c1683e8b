/* The app family: open files, programs and URLs with the desktop's default handlers. */
#ifndef TAVIX_APP_H
#define TAVIX_APP_H
#include "common.h"

TX_BEGIN_DECLS

TX_EXPORT bool TX_app_launchApp(const char* path);
TX_EXPORT bool TX_app_openUrl(const char* url);

TX_END_DECLS
#endif
