// Small generated pictures and access to the shared record for the image tests.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include "core/shared_state.h"

namespace tavix::test {

inline TX_api& record()
{
    return tavix::core::sharedRecord();
}

inline QImage& working()
{
    return tavix::core::sharedRecord().image;
}

inline QImage solid(int width, int height, QColor colour, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(width, height, format);
    image.fill(colour);
    return image;
}

inline QImage withPixel(QImage image, int x, int y, QColor colour)
{
    image.setPixelColor(x, y, colour);
    return image;
}

// Random colour noise: every window of it is distinctive.
inline QImage noise(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = 0xFF000000u | (random.generate() & 0xFFFFFFu);
    }
    return image;
}

// Blocky noise (cells of `cell` pixels): survives being halved, unlike pixel noise.
inline QImage blocks(int width, int height, int cell, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < height; y += cell)
        for (int x = 0; x < width; x += cell)
            painter.fillRect(x, y, cell, cell, QColor::fromRgb(random.generate() | 0xFF000000u));
    return image;
}

inline QByteArray encoded(const QImage& image, const char* format = "PNG")
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QByteArray dataUrl(const QImage& image, const char* mediaType = "png", const char* format = "PNG")
{
    return QByteArray("data:image/") + mediaType + ";base64," + encoded(image, format).toBase64();
}

}  // namespace tavix::test
