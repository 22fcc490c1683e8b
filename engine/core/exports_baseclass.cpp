// Exports of the baseclass and app families.
#include "app_services.h"
#include "base_services.h"
#include "guard.h"
#include "tavix.h"
#include "text.h"

using namespace tavix;

void TX_baseclass_msg(const char* text) { guarded(__func__, [&] { BaseServices().msg(textArg(text)); }); }
void TX_baseclass_toast(const char* text) { guarded(__func__, [&] { BaseServices().toast(textArg(text)); }); }
void TX_baseclass_sleep(int ms) { guarded(__func__, [&] { BaseServices().sleep(ms); }); }
bool TX_baseclass_screenshots(const char* path) { return guarded(__func__, false, [&] { return BaseServices().screenshots(textArg(path)); }); }
const char* TX_baseclass_getClip(void) { return guarded(__func__, "", [] { return BaseServices().getClip(); }); }
const char* TX_baseclass_getColor(int x, int y) { return guarded(__func__, "", [&] { return BaseServices().getColor(x, y); }); }

bool TX_app_launchApp(const char* path) { return guarded(__func__, false, [&] { return AppServices().launchApp(textArg(path)); }); }
bool TX_app_openUrl(const char* url) { return guarded(__func__, false, [&] { return AppServices().openUrl(textArg(url)); }); }
