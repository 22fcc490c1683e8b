// The file family: text files in a named encoding, raw appends, copying,
// moving, removal of whole trees, listings, dates and sizes. Paths arrive
// already decoded (see path_arg.h); nothing is kept between calls.
#pragma once

#include <QByteArray>
#include <QString>

namespace tavix::file {

// Queries (file_queries.cpp).
bool exists(const QString& path);
bool isFile(const QString& path);
bool isDir(const QString& path);
bool isEmptyDir(const QString& path);
int getFileLiens(const QString& path);
int getFileSize(const QString& path);
const char* getFileLongDate(const QString& path);
const char* getFileStringDate(const QString& path);
const char* getName(const QString& path);
int listDirCount(const QString& path);
int listDir(const QString& path, char* out);

// Creating, copying, moving and removing (file_tree.cpp).
bool create(const QString& path);
bool mkdirs(const QString& path);
bool remove(const QString& path);
bool copy(const QString& formPath, const QString& toPath);
bool move(const QString& formPath, const QString& toPath);
bool rename(const QString& path, const QString& name);

// Reading and writing content (file_content.cpp).
bool append(const QString& path, const QString& text, const QByteArray& encoding);
bool appendBytes(const QString& path, const char* bytes, int length);
bool write(const QString& path, const QString& text, const QByteArray& encoding);
int read(const QString& path, char* out, const QByteArray& encoding);
int readBytes(const QString& path, char* out);
int readLineByNum(const QString& path, int lines, char* out);

}  // namespace tavix::file
