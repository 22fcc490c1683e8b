// Picture files made to hurt a decoder: tiny on disk, huge once decoded.
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace tavix::test {

inline QByteArray bigEndian32(quint32 value)
{
    return QByteArray(1, char(value >> 24)) + char(value >> 16) + char(value >> 8) + char(value);
}

inline quint32 pngCrc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A well-formed PNG of 65 bytes whose header claims 100000 x 100000 pixels: a
// decoder that trusts it allocates 40 GB.
inline QByteArray hugePng()
{
    const QByteArray ihdr = QByteArray("IHDR") + bigEndian32(100000) + bigEndian32(100000)
        + QByteArray("\x08\x06\x00\x00\x00", 5);
    const QByteArray idat = QByteArray("IDAT") + QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    for (const QByteArray& chunk : {ihdr, idat, QByteArray("IEND")})
        png += bigEndian32(quint32(chunk.size() - 4)) + chunk + bigEndian32(pngCrc32(chunk));
    return png;
}

}  // namespace tavix::test
