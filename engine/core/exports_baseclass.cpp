// Exports of the baseclass and app families.
// One export a line, as a table.
// clang-format off
#include "app_services.h"
#include "base_services.h"
#include "guard.h"
#include "tavix.h"
#include "text.h"

using namespace tavix;
using tavix::core::guarded;
using tavix::core::textArg;

void TX_baseclass_msg(const char* text) { guarded(__func__, [&] { core::msg(textArg(text)); }); }
void TX_baseclass_toast(const char* text) { guarded(__func__, [&] { core::toast(textArg(text)); }); }
void TX_baseclass_sleep(int ms) { guarded(__func__, [&] { core::sleep(ms); }); }
bool TX_baseclass_screenshots(const char* path) { return guarded(__func__, false, [&] { return core::screenshots(textArg(path)); }); }
const char* TX_baseclass_getClip(void) { return guarded(__func__, "", [] { return core::getClip(); }); }
const char* TX_baseclass_getColor(int x, int y) { return guarded(__func__, "", [&] { return core::getColor(x, y); }); }

bool TX_app_launchApp(const char* path) { return guarded(__func__, false, [&] { return core::launchApp(textArg(path)); }); }
bool TX_app_openUrl(const char* url) { return guarded(__func__, false, [&] { return core::openUrl(textArg(url)); }); }
