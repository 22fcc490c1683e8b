/* The app family: open files, programs and URLs with the desktop's default handlers. */
#ifndef TAVIX_APP_H
#define TAVIX_APP_H
#include "common.h"

TX_BEGIN_DECLS

/* Opens a file or program with the desktop's default handler. False when the
 * file does not exist or no handler takes it. */
TX_EXPORT bool TX_app_launchApp(const char* path);
/* Opens a URL in the desktop's default handler. False when it is no valid URL
 * or no handler takes it. */
TX_EXPORT bool TX_app_openUrl(const char* url);

TX_END_DECLS
#endif
