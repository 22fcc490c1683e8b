// Exports of the utils family's QR functions.
// One export a line, as a table.
// clang-format off
#include "core/guard.h"
#include "core/text.h"
#include "qr_codes.h"
#include "tavix.h"

using namespace tavix;
using tavix::core::guarded;
using tavix::core::textArg;

int TX_utils_createQRCode(const char* text, int scale, const char* SaveImagePath, const char* LogoImagePath) { return guarded(__func__, 0, [&] { return qr::createQRCode(text, scale, textArg(SaveImagePath), textArg(LogoImagePath)); }); }
int TX_utils_createQRCodeImage(const char* text, int scale) { return guarded(__func__, 0, [&] { return qr::createQRCodeImage(text, scale); }); }
const char* TX_utils_decodeQRCode(const char* ImageFile) { return guarded<const char*>(__func__, nullptr, [&] { return qr::decodeQRCode(textArg(ImageFile)); }); }
const char* TX_utils_decodeQRCodeImage(void) { return guarded<const char*>(__func__, nullptr, [] { return qr::decodeQRCodeImage(); }); }
