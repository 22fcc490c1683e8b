#include "picture_data.h"

#include <QBuffer>
#include <QPainter>

namespace vantor::test {

QImage patternPicture(int width, int height, QColor base)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(base);
    QPainter painter(&picture);
    painter.fillRect(0, 0, width / 2, height / 2, QColor(230, 40, 40));
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2,
                     QColor(250, 220, 20));
    painter.setPen(Qt::black);
    painter.drawLine(0, height - 1, width - 1, 0);
    return picture;
}

QByteArray pngBytes(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QByteArray png16Bytes(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGBA64);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixelColor(x, y,
                                  QColor::fromRgba64(quint16(x * 997 + 3), quint16(y * 1231 + 5),
                                                     quint16((x + y) * 311), 65535));
    return pngBytes(picture);
}

QString dataUrl(const QByteArray& bytes)
{
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(bytes.toBase64());
}

}  // namespace vantor::test
