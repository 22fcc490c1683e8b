// Writing pictures to files without ever leaving a half-written one.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tavix::core {

// Writes `image` to `path` in `format` (empty: taken from the path's suffix) at
// `quality` (-1: the writer's default). The file is replaced only once the
// whole picture is written; on failure an existing file is left as it was.
bool writeImageFile(const QImage& image, const QString& path, const QByteArray& format = {},
                    int quality = -1);

}  // namespace tavix::core
