/* The file family: appending, copying, creating and removing, dates and
 * sizes, folder tests and listings, reading in an encoding, renaming and
 * writing, all inside the prepared folder. */
#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>

#include "demo_engine.h"
#include "demo_folder.h"

static bool (*file_append)(const char* path, const char* text, const char* encoding);
static bool (*file_appendBytes)(const char* path, const char* bytes, int length);
static bool (*file_copy)(const char* formPath, const char* toPath);
static bool (*file_move)(const char* formPath, const char* toPath);
static bool (*file_create)(const char* path);
static bool (*file_remove)(const char* path);
static bool (*file_exists)(const char* path);
static bool (*file_mkdirs)(const char* path);
static bool (*file_isDir)(const char* path);
static bool (*file_isEmptyDir)(const char* path);
static bool (*file_isFile)(const char* path);
static int (*file_getFileLiens)(const char* path);
static int (*file_getFileSize)(const char* path);
static const char* (*file_getFileLongDate)(const char* path);
static const char* (*file_getFileStringDate)(const char* path);
static const char* (*file_getName)(const char* path);
static int (*file_listDirCount)(const char* path);
static int (*file_listDir)(const char* path, char* out);
static int (*file_read)(const char* path, char* out, const char* encoding);
static int (*file_readBytes)(const char* path, char* out);
static int (*file_readLineByNum)(const char* path, int lines, char* out);
static bool (*file_rename)(const char* path, const char* name);
static bool (*file_write)(const char* path, const char* text, const char* encoding);

static const struct demo_symbol symbols[] = {
    DEMO_SYMBOL("TX_file_append", file_append),
    DEMO_SYMBOL("TX_file_appendBytes", file_appendBytes),
    DEMO_SYMBOL("TX_file_copy", file_copy),
    DEMO_SYMBOL("TX_file_move", file_move),
    DEMO_SYMBOL("TX_file_create", file_create),
    DEMO_SYMBOL("TX_file_remove", file_remove),
    DEMO_SYMBOL("TX_file_exists", file_exists),
    DEMO_SYMBOL("TX_file_mkdirs", file_mkdirs),
    DEMO_SYMBOL("TX_file_isDir", file_isDir),
    DEMO_SYMBOL("TX_file_isEmptyDir", file_isEmptyDir),
    DEMO_SYMBOL("TX_file_isFile", file_isFile),
    DEMO_SYMBOL("TX_file_getFileLiens", file_getFileLiens),
    DEMO_SYMBOL("TX_file_getFileSize", file_getFileSize),
    DEMO_SYMBOL("TX_file_getFileLongDate", file_getFileLongDate),
    DEMO_SYMBOL("TX_file_getFileStringDate", file_getFileStringDate),
    DEMO_SYMBOL("TX_file_getName", file_getName),
    DEMO_SYMBOL("TX_file_listDirCount", file_listDirCount),
    DEMO_SYMBOL("TX_file_listDir", file_listDir),
    DEMO_SYMBOL("TX_file_read", file_read),
    DEMO_SYMBOL("TX_file_readBytes", file_readBytes),
    DEMO_SYMBOL("TX_file_readLineByNum", file_readLineByNum),
    DEMO_SYMBOL("TX_file_rename", file_rename),
    DEMO_SYMBOL("TX_file_write", file_write),
};

#define SLOT_SIZE 512
/* The read functions are told no size: callers give them the file's size
 * plus this much, room for text that grows when converted to UTF-8. */
#define READ_SLACK 4096

static char added[4096], path[4096];

static void append_and_inspect(void)
{
    demo_path(added, sizeof added, "fileadd.txt");

    printf("file--------------------------------------\n");
    printf("file append\n");
    file_append(added, "first add", "UTF-8");
    file_appendBytes(added, "666\r\n", 5);
    file_copy(added, demo_path(path, sizeof path, "fileadd1.txt"));

    printf("file create delete-----------------------------\n");
    demo_path(path, sizeof path, "filecreat.txt");
    file_create(path);
    printf("%d\n", (unsigned char)file_exists(path));
    file_remove(path);

    printf("file lines: %d\n", file_getFileLiens(added));
    printf("file time : %s\n", demo_text(file_getFileLongDate(added)));
    printf("file time : %s\n", demo_text(file_getFileStringDate(added)));
    printf("file size : %d\n", file_getFileSize(added));

    printf("isDir     : %d\n", (unsigned char)file_isDir(demo_folder()));
    printf("isEmptyDir: %d\n", (unsigned char)file_isEmptyDir(demo_path(path, sizeof path, "isEmptyDir")));
    printf("isFile    : %d\n", (unsigned char)file_isFile(added));
}

static void list_folder(void)
{
    printf("file list dir-----------------------------\n");
    demo_path(path, sizeof path, "dirtest");
    const int count = file_listDirCount(path);
    /* One slot at least, so that an empty listing still has a valid buffer. */
    const size_t slots = count > 0 ? (size_t)count : 1;
    char* names = calloc(slots, SLOT_SIZE);
    if (!names)
        return;
    const int listed = file_listDir(path, names);
    printf("files and dirs num : %d\n", listed);
    printf("file path : \n");
    for (int i = 0; i < listed && (size_t)i < slots; ++i)
        printf("%s\n", names + (size_t)i * SLOT_SIZE);
    free(names);
}

static void read_file(void)
{
    char file[4096];
    demo_path(file, sizeof file, "fileread.txt");
    const int size = file_getFileSize(file);
    const size_t capacity = (size_t)(size > 0 ? size : 0) + READ_SLACK;
    char* text = malloc(capacity);
    if (!text)
        return;
    text[0] = '\0';

    printf("file read-----------------------------\n");
    printf("File read size : %d\n", file_read(file, text, "GB2312"));
    printf("File read size : %d\n", file_readBytes(file, text));
    const int line_size = file_readLineByNum(file, 1, text);
    printf("File read 1 lines size : %d\n", line_size);
    printf("File read 1 lines data : %s\n", text);
    free(text);
}

static void run(void)
{
    append_and_inspect();
    list_folder();

    char target[4096];
    file_mkdirs(demo_path(path, sizeof path, "mkdirs"));
    file_move(demo_path(path, sizeof path, "fileadd1.txt"), demo_path(target, sizeof target, "fileadd2.txt"));

    read_file();

    file_rename(demo_path(path, sizeof path, "fileadd2.txt"), "fileadd3.txt");
    file_write(demo_path(path, sizeof path, "fileaddw.txt"), "first add", "GB2312");
}

int main(void)
{
    demo_library* engine = demo_open_engine(symbols, DEMO_COUNT(symbols), DEMO_SILENT_LOAD_FAILURE);
    if (!engine)
        return 0;
    run();
    demo_free(engine);
    return 0;
}
