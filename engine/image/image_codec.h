// Pictures to and from files, bytes and Base64 text, in the formats of Qt's
// image plugins.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tavix::image {

// Decoded pictures are limited to this many bytes at 4 bytes per pixel
// (8192 x 8192), checked against the header before anything is allocated: a
// few bytes of hostile header may claim any size.
constexpr qint64 kMaxDecodedBytes = qint64(256) << 20;

// Decodes `bytes` as a picture, the format taken from the data; null when they
// are not one or claim a size beyond kMaxDecodedBytes.
QImage decodeImage(const QByteArray& bytes);

// Standard Base64 (characters outside the alphabet skipped), then decodeImage.
QImage decodeBase64Image(const QByteArray& base64);

// The picture in the file `path`, with the same checks as decodeImage.
QImage readImageFile(const QString& path);

// `image` written in `format` ("png", "JPG", ...) at `quality` (-1: the
// writer's default); empty when no writer supports the format.
QByteArray encodeImage(const QImage& image, const QByteArray& format, int quality);

}  // namespace tavix::image
