// Pictures to and from bytes and Base64 text, in the formats of Qt's image plugins.
#pragma once

#include <QByteArray>
#include <QImage>

namespace tavix::image {

// Decodes `bytes` as a picture, the format taken from the data; null when they
// are not one (or claim a size beyond the image reader's allocation limit).
QImage decodeImage(const QByteArray& bytes);

// Standard Base64 (characters outside the alphabet skipped), then decodeImage.
QImage decodeBase64Image(const QByteArray& base64);

// `image` written in `format` ("png", "JPG", ...) at `quality` (-1: the
// writer's default); empty when no writer supports the format.
QByteArray encodeImage(const QImage& image, const QByteArray& format, int quality);

}  // namespace tavix::image
