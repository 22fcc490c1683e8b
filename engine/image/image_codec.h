// Pictures to and from files, bytes and Base64 text, in the formats of Qt's
// image plugins.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "core/image_file.h"

namespace tavix::image {

// Decoded pictures are limited to this many bytes (8192 x 8192 at 4 bytes per
// pixel), checked against the header before anything is allocated.
using core::kMaxDecodedBytes;

// Decodes `bytes` as a picture, the format taken from the data; null when they
// are not one or claim a size beyond kMaxDecodedBytes.
QImage decodeImage(const QByteArray& bytes);

// Standard Base64 (characters outside the alphabet skipped), then decodeImage.
QImage decodeBase64Image(const QByteArray& base64);

// The picture in the file `path`, with the same checks as decodeImage; null,
// with a log line naming `function`, for a device, FIFO or socket.
QImage readImageFile(const QString& path, const char* function);

// `image` written in `format` ("png", "JPG", ...) at `quality` (-1: the
// writer's default); empty when no writer supports the format.
QByteArray encodeImage(const QImage& image, const QByteArray& format, int quality);

}  // namespace tavix::image
