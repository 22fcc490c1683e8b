// Exports of the ocr family.
// One export a line, as a table.
// clang-format off
#include "core/guard.h"
#include "core/text.h"
#include "tavix.h"
#include "text_recognition.h"

using namespace tavix;
using tavix::core::guarded;
using tavix::core::textArg;

const char* TX_ocr_imgTextPath(const char* path) { return guarded<const char*>(__func__, "", [&] { return ocr::imgTextPath(textArg(path)); }); }
const char* TX_ocr_imgText(const char* data) { return guarded<const char*>(__func__, nullptr, [&] { return ocr::imgText(textArg(data)); }); }
const char* TX_ocr_imgTextImage(void) { return guarded<const char*>(__func__, nullptr, [] { return ocr::imgTextImage(); }); }
