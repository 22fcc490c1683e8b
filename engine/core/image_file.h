// Pictures to and from files: reading with a size limit, writing without ever
// leaving a half-written file.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QImageReader;

namespace tavix::core {

// Decoded pictures are limited to this many bytes at 4 bytes per pixel
// (8192 x 8192), checked against the header before anything is allocated: a
// few bytes of hostile header may claim any size.
constexpr qint64 kMaxDecodedBytes = qint64(256) << 20;

// The picture `reader` holds; null (with a log line) when its header claims a
// size beyond kMaxDecodedBytes.
QImage readImageChecked(QImageReader& reader);

// `bytes` decoded as a picture (format from the data) through readImageChecked.
QImage decodeImageBytes(const QByteArray& bytes);

// The picture in the file `path` (format from the content) through
// readImageChecked. Null, with a log line naming `function`, for a path that is
// not a regular file: a FIFO would block the open and a device never ends.
QImage readImageFile(const QString& path, const char* function);

// Writes `image` to `path` in `format` (empty: taken from the path's suffix) at
// `quality` (-1: the writer's default). The file is replaced only once the
// whole picture is written; on failure an existing file is left as it was.
// An existing `path` that is not a regular file (a device, a FIFO) is refused;
// a link is followed and the file it names replaced, so the link stays.
bool writeImageFile(const QImage& image, const QString& path, const QByteArray& format = {},
                    int quality = -1);

}  // namespace tavix::core
