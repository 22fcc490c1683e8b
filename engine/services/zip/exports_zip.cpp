// Exports of the utils family's zip functions.
// One export a line, as a table.
// clang-format off
#include "core/guard.h"
#include "core/text.h"
#include "tavix.h"
#include "zipper.h"

using namespace tavix;
using tavix::core::guarded;
using tavix::core::textArg;

bool TX_utils_zipFile(const char* filePath, const char* dest, const char* password) { return guarded(__func__, false, [&] { return zip::zipFile(textArg(filePath), textArg(dest), password); }); }
bool TX_utils_zipDir(const char* Dir, const char* dest, const char* password) { return guarded(__func__, false, [&] { return zip::zipDir(textArg(Dir), textArg(dest), password); }); }
void TX_utils_unZip(const char* zipFilePath, const char* dest, const char* password) { guarded(__func__, [&] { zip::unZip(textArg(zipFilePath), textArg(dest), password); }); }
void TX_utils_unZipDir(const char* Dir, const char* dest, const char* password) { guarded(__func__, [&] { zip::unZipDir(textArg(Dir), textArg(dest), password); }); }
