// Exports of the utils family's zip functions.
#include "core/guard.h"
#include "core/text.h"
#include "tavix.h"
#include "zipper.h"

using namespace tavix;

bool TX_utils_zipFile(const char* filePath, const char* dest, const char* password) { return guarded(__func__, false, [&] { return Zipper().zipFile(textArg(filePath), textArg(dest), password); }); }
bool TX_utils_zipDir(const char* Dir, const char* dest, const char* password) { return guarded(__func__, false, [&] { return Zipper().zipDir(textArg(Dir), textArg(dest), password); }); }
void TX_utils_unZip(const char* zipFilePath, const char* dest, const char* password) { guarded(__func__, [&] { Zipper().unZip(textArg(zipFilePath), textArg(dest), password); }); }
void TX_utils_unZipDir(const char* Dir, const char* dest, const char* password) { guarded(__func__, [&] { Zipper().unZipDir(textArg(Dir), textArg(dest), password); }); }
