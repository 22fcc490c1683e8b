// MD5 of a file's content, read in chunks.
#pragma once

#include <QByteArray>
#include <QString>

namespace tavix::codec {

// 32 lower-case hexadecimal digits, or an empty text when the file cannot
// be opened or read.
QByteArray md5OfFile(const QString& path, bool* opened);

}  // namespace tavix::codec
