// Exports of the ocr family.
#include "core/guard.h"
#include "core/text.h"
#include "tavix.h"
#include "text_recognition.h"

using namespace tavix;

const char* TX_ocr_imgTextPath(const char* path) { return guarded<const char*>(__func__, "", [&] { return TextRecognition().imgTextPath(textArg(path)); }); }
const char* TX_ocr_imgText(const char* data) { return guarded<const char*>(__func__, nullptr, [&] { return TextRecognition().imgText(textArg(data)); }); }
const char* TX_ocr_imgTextImage(void) { return guarded<const char*>(__func__, nullptr, [] { return TextRecognition().imgTextImage(); }); }
