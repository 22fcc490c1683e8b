#include "image/image_codec.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

namespace tavix::image {

namespace {

QImage readChecked(QImageReader& reader)
{
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > kMaxDecodedBytes) {
        qWarning("Refusing to decode a %d x %d picture: larger than %lld MiB", size.width(),
                 size.height(), kMaxDecodedBytes >> 20);
        return {};
    }
    return reader.read();
}

}  // namespace

QImage decodeImage(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return readChecked(reader);
}

QImage decodeBase64Image(const QByteArray& base64)
{
    return decodeImage(QByteArray::fromBase64(base64));
}

QImage readImageFile(const QString& path)
{
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    return readChecked(reader);
}

QByteArray encodeImage(const QImage& image, const QByteArray& format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format.toLower());
    writer.setQuality(quality);
    if (!writer.write(image)) {
        qWarning() << "Cannot write the image as" << format << ":" << writer.errorString();
        return {};
    }
    return bytes;
}

}  // namespace tavix::image
