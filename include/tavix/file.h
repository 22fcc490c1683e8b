/* The file family: files and folders. Paths are UTF-8. */
#ifndef TAVIX_FILE_H
#define TAVIX_FILE_H
#include "common.h"

/* Size rules of caller buffers: a read stores at most the file's size plus this
 * margin, and a listing one slot of this size for each name. */
#define TX_FILE_READ_MARGIN 4096
#define TX_FILE_NAME_SLOT 512

TX_BEGIN_DECLS

/* Appends text and a line end in the named encoding (empty: UTF-8). False when
 * the file cannot be opened or written; a half-written append is undone. */
TX_EXPORT bool TX_file_append(const char* path, const char* text, const char* encoding);
/* Appends length bytes (a negative length: up to the first zero byte). False
 * when the file cannot be written or bytes is null with a positive length. */
TX_EXPORT bool TX_file_appendBytes(const char* path, const char* bytes, int length);
/* Copies a file to toPath; the target is replaced only once the copy is
 * complete (through a link, the file it points to). False on any failure, and
 * for a target that is a device, FIFO or socket. */
TX_EXPORT bool TX_file_copy(const char* formPath, const char* toPath);
/* Moves a file or folder to toPath; a link moves as the link. False when the
 * target exists, the path ends in "." or "..", or on any failure. */
TX_EXPORT bool TX_file_move(const char* formPath, const char* toPath);
/* Creates an empty file. False when the path exists or the file cannot be made. */
TX_EXPORT bool TX_file_create(const char* path);
/* Removes a file, or a folder with all it holds, hidden entries included; links
 * are removed, never followed, also when the path ends in a separator. False
 * when the path does not exist or ends in "." or "..", and false with nothing
 * removed when a folder of the tree does not let its entries go. */
TX_EXPORT bool TX_file_remove(const char* path);
/* The five queries below answer false for an empty or missing path. */
TX_EXPORT bool TX_file_exists(const char* path);
TX_EXPORT bool TX_file_mkdirs(const char* path);
TX_EXPORT bool TX_file_isDir(const char* path);
TX_EXPORT bool TX_file_isEmptyDir(const char* path);
TX_EXPORT bool TX_file_isFile(const char* path);
/* The number of lines of a text file; 0 when it cannot be read or is a device,
 * FIFO or socket (refused with a log line, as by every content function). */
TX_EXPORT int TX_file_getFileLiens(const char* path);
/* The size in bytes (INT_MAX at most), read from the file's status without
 * opening it; -1 when the path does not exist, is a folder or is not readable.
 * Files whose size the system does not know (/proc, FIFOs) report 0. */
TX_EXPORT int TX_file_getFileSize(const char* path);
/* The last modification as seconds since 1970, in decimal; "文件不存在或者不是一个文件"
 * when the path is no file. The three date and name texts live in the engine's own
 * 16384-byte arrays, one a function, valid until that function is called again. */
TX_EXPORT const char* TX_file_getFileLongDate(const char* path);
/* The last modification as "yyyy-MM-dd HH:mm:ss"; "" when the path does not exist. */
TX_EXPORT const char* TX_file_getFileStringDate(const char* path);
/* The text after the last "/" of path; "" for an empty path. */
TX_EXPORT const char* TX_file_getName(const char* path);
/* The number of entries TX_file_listDir would store; 0 for no folder. */
TX_EXPORT int TX_file_listDirCount(const char* path);
/* Stores the folder's entry names in consecutive TX_FILE_NAME_SLOT-byte slots of
 * out (each cut to fit with its zero), so out must hold TX_file_listDirCount(path)
 * slots: no more names are stored than that count last reported for this path,
 * even when entries were added since. Returns the count stored; 0 for no folder
 * or a null out. */
TX_EXPORT int TX_file_listDir(const char* path, char* out);
/* Reads the whole file as text in the named encoding (empty: UTF-8) and stores
 * it as UTF-8 with a terminating zero. out must hold TX_file_getFileSize(path) +
 * TX_FILE_READ_MARGIN bytes: the engine never writes more than the smaller of the
 * file's size and the size TX_file_getFileSize last reported for this path, plus
 * the margin, cutting the text at a whole character (a file that grew since, or
 * a /proc file, is cut there). Returns the bytes stored without the zero; 0 when
 * the file cannot be read or out is null. */
TX_EXPORT int TX_file_read(const char* path, char* out, const char* encoding);
/* As TX_file_read with UTF-8 (invalid sequences become U+FFFD), same buffer rule. */
TX_EXPORT int TX_file_readBytes(const char* path, char* out);
/* Stores line number lines (1-based; out of range: the last line) as
 * TX_file_read does, with the same buffer rule and results. */
TX_EXPORT int TX_file_readLineByNum(const char* path, int lines, char* out);
/* Renames in place. False when name is empty, ".", ".." or holds a separator,
 * when the target exists, or when the rename fails. */
TX_EXPORT bool TX_file_rename(const char* path, const char* name);
/* Replaces the file's content by text in the named encoding; the old content
 * stays until the new one is completely written (through a link, in the file it
 * points to). False on any failure, and for a device, FIFO or socket. */
TX_EXPORT bool TX_file_write(const char* path, const char* text, const char* encoding);

TX_END_DECLS
#endif
