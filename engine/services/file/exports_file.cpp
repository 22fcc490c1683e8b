// Exports of the file family.
#include "core/guard.h"
#include "core/text.h"
#include "file_service.h"
#include "path_arg.h"
#include "tavix.h"

using namespace tavix;

namespace {
QByteArray encodingArg(const char* encoding) { return QByteArray(encoding ? encoding : ""); }
}  // namespace

bool TX_file_exists(const char* path) { return guarded(__func__, false, [&] { return FileService().exists(pathArg(path)); }); }
bool TX_file_isFile(const char* path) { return guarded(__func__, false, [&] { return FileService().isFile(pathArg(path)); }); }
bool TX_file_isDir(const char* path) { return guarded(__func__, false, [&] { return FileService().isDir(pathArg(path)); }); }
bool TX_file_isEmptyDir(const char* path) { return guarded(__func__, false, [&] { return FileService().isEmptyDir(pathArg(path)); }); }
bool TX_file_create(const char* path) { return guarded(__func__, false, [&] { return FileService().create(pathArg(path)); }); }
bool TX_file_mkdirs(const char* path) { return guarded(__func__, false, [&] { return FileService().mkdirs(pathArg(path)); }); }
bool TX_file_remove(const char* path) { return guarded(__func__, false, [&] { return FileService().remove(pathArg(path)); }); }
bool TX_file_copy(const char* formPath, const char* toPath) { return guarded(__func__, false, [&] { return FileService().copy(pathArg(formPath), pathArg(toPath)); }); }
bool TX_file_move(const char* formPath, const char* toPath) { return guarded(__func__, false, [&] { return FileService().move(pathArg(formPath), pathArg(toPath)); }); }
bool TX_file_rename(const char* path, const char* name) { return guarded(__func__, false, [&] { return FileService().rename(pathArg(path), textArg(name)); }); }
bool TX_file_append(const char* path, const char* text, const char* encoding) { return guarded(__func__, false, [&] { return FileService().append(pathArg(path), textArg(text), encodingArg(encoding)); }); }
bool TX_file_appendBytes(const char* path, const char* bytes, int length) { return guarded(__func__, false, [&] { return FileService().appendBytes(pathArg(path), bytes, length); }); }
bool TX_file_write(const char* path, const char* text, const char* encoding) { return guarded(__func__, false, [&] { return FileService().write(pathArg(path), textArg(text), encodingArg(encoding)); }); }
int TX_file_read(const char* path, char* out, const char* encoding) { return guarded(__func__, 0, [&] { return FileService().read(pathArg(path), out, encodingArg(encoding)); }); }
int TX_file_readBytes(const char* path, char* out) { return guarded(__func__, 0, [&] { return FileService().readBytes(pathArg(path), out); }); }
int TX_file_readLineByNum(const char* path, int lines, char* out) { return guarded(__func__, 0, [&] { return FileService().readLineByNum(pathArg(path), lines, out); }); }
int TX_file_getFileLiens(const char* path) { return guarded(__func__, 0, [&] { return FileService().getFileLiens(pathArg(path)); }); }
int TX_file_getFileSize(const char* path) { return guarded(__func__, -1, [&] { return FileService().getFileSize(pathArg(path)); }); }
const char* TX_file_getFileLongDate(const char* path) { return guarded(__func__, "", [&] { return FileService().getFileLongDate(pathArg(path)); }); }
const char* TX_file_getFileStringDate(const char* path) { return guarded(__func__, "", [&] { return FileService().getFileStringDate(pathArg(path)); }); }
const char* TX_file_getName(const char* path) { return guarded(__func__, "", [&] { return FileService().getName(pathArg(path)); }); }
int TX_file_listDirCount(const char* path) { return guarded(__func__, 0, [&] { return FileService().listDirCount(pathArg(path)); }); }
int TX_file_listDir(const char* path, char* out) { return guarded(__func__, 0, [&] { return FileService().listDir(pathArg(path), out); }); }
