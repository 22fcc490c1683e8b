/* The file family: files and folders. Paths are UTF-8. */
#ifndef TAVIX_FILE_H
#define TAVIX_FILE_H
#include "common.h"

TX_BEGIN_DECLS

TX_EXPORT bool TX_file_append(const char* path, const char* text, const char* encoding);
TX_EXPORT bool TX_file_appendBytes(const char* path, const char* bytes, int length);
TX_EXPORT bool TX_file_copy(const char* formPath, const char* toPath);
TX_EXPORT bool TX_file_move(const char* formPath, const char* toPath);
TX_EXPORT bool TX_file_create(const char* path);
TX_EXPORT bool TX_file_remove(const char* path);
TX_EXPORT bool TX_file_exists(const char* path);
TX_EXPORT bool TX_file_mkdirs(const char* path);
TX_EXPORT bool TX_file_isDir(const char* path);
TX_EXPORT bool TX_file_isEmptyDir(const char* path);
TX_EXPORT bool TX_file_isFile(const char* path);
TX_EXPORT int TX_file_getFileLiens(const char* path);
TX_EXPORT int TX_file_getFileSize(const char* path);
TX_EXPORT const char* TX_file_getFileLongDate(const char* path);
TX_EXPORT const char* TX_file_getFileStringDate(const char* path);
TX_EXPORT const char* TX_file_getName(const char* path);
TX_EXPORT int TX_file_listDirCount(const char* path);
TX_EXPORT int TX_file_listDir(const char* path, char* out);
TX_EXPORT int TX_file_read(const char* path, char* out, const char* encoding);
TX_EXPORT int TX_file_readBytes(const char* path, char* out);
TX_EXPORT int TX_file_readLineByNum(const char* path, int lines, char* out);
TX_EXPORT bool TX_file_rename(const char* path, const char* name);
TX_EXPORT bool TX_file_write(const char* path, const char* text, const char* encoding);

TX_END_DECLS
#endif
