// Exports of the file family.
// One export a line, as a table.
// clang-format off
#include "core/guard.h"
#include "core/text.h"
#include "file_service.h"
#include "path_arg.h"
#include "tavix.h"

using namespace tavix;
using tavix::core::guarded;
using tavix::core::rawArg;
using tavix::core::textArg;
using tavix::file::pathArg;

bool TX_file_exists(const char* path) { return guarded(__func__, false, [&] { return file::exists(pathArg(path)); }); }
bool TX_file_isFile(const char* path) { return guarded(__func__, false, [&] { return file::isFile(pathArg(path)); }); }
bool TX_file_isDir(const char* path) { return guarded(__func__, false, [&] { return file::isDir(pathArg(path)); }); }
bool TX_file_isEmptyDir(const char* path) { return guarded(__func__, false, [&] { return file::isEmptyDir(pathArg(path)); }); }
bool TX_file_create(const char* path) { return guarded(__func__, false, [&] { return file::create(pathArg(path)); }); }
bool TX_file_mkdirs(const char* path) { return guarded(__func__, false, [&] { return file::mkdirs(pathArg(path)); }); }
bool TX_file_remove(const char* path) { return guarded(__func__, false, [&] { return file::remove(pathArg(path)); }); }
bool TX_file_copy(const char* formPath, const char* toPath) { return guarded(__func__, false, [&] { return file::copy(pathArg(formPath), pathArg(toPath)); }); }
bool TX_file_move(const char* formPath, const char* toPath) { return guarded(__func__, false, [&] { return file::move(pathArg(formPath), pathArg(toPath)); }); }
bool TX_file_rename(const char* path, const char* name) { return guarded(__func__, false, [&] { return file::rename(pathArg(path), textArg(name)); }); }
bool TX_file_append(const char* path, const char* text, const char* encoding) { return guarded(__func__, false, [&] { return file::append(pathArg(path), textArg(text), rawArg(encoding)); }); }
bool TX_file_appendBytes(const char* path, const char* bytes, int length) { return guarded(__func__, false, [&] { return file::appendBytes(pathArg(path), bytes, length); }); }
bool TX_file_write(const char* path, const char* text, const char* encoding) { return guarded(__func__, false, [&] { return file::write(pathArg(path), textArg(text), rawArg(encoding)); }); }
int TX_file_read(const char* path, char* out, const char* encoding) { return guarded(__func__, 0, [&] { return file::read(pathArg(path), out, rawArg(encoding)); }); }
int TX_file_readBytes(const char* path, char* out) { return guarded(__func__, 0, [&] { return file::readBytes(pathArg(path), out); }); }
int TX_file_readLineByNum(const char* path, int lines, char* out) { return guarded(__func__, 0, [&] { return file::readLineByNum(pathArg(path), lines, out); }); }
int TX_file_getFileLiens(const char* path) { return guarded(__func__, 0, [&] { return file::getFileLiens(pathArg(path)); }); }
int TX_file_getFileSize(const char* path) { return guarded(__func__, -1, [&] { return file::getFileSize(pathArg(path)); }); }
const char* TX_file_getFileLongDate(const char* path) { return guarded(__func__, "", [&] { return file::getFileLongDate(pathArg(path)); }); }
const char* TX_file_getFileStringDate(const char* path) { return guarded(__func__, "", [&] { return file::getFileStringDate(pathArg(path)); }); }
const char* TX_file_getName(const char* path) { return guarded(__func__, "", [&] { return file::getName(pathArg(path)); }); }
int TX_file_listDirCount(const char* path) { return guarded(__func__, 0, [&] { return file::listDirCount(pathArg(path)); }); }
int TX_file_listDir(const char* path, char* out) { return guarded(__func__, 0, [&] { return file::listDir(pathArg(path), out); }); }
