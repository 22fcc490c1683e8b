// Pictures and data URLs the editor tests read.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace vantor::test {

// A picture with a pattern that shows whether its pixels survive.
QImage patternPicture(int width, int height, QColor base = QColor(30, 120, 200));
// The PNG file bytes of a picture.
QByteArray pngBytes(const QImage& picture);
// A 16-bit RGBA PNG file: Qt reads it back as 64-bit pixels.
QByteArray png16Bytes(int width, int height);
// "data:image/png;base64," and the Base64 of bytes.
QString dataUrl(const QByteArray& bytes);

}  // namespace vantor::test
