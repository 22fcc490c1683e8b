#include "image/image_codec.h"

#include <QBuffer>
#include <QImageWriter>

namespace tavix::image {

QImage decodeImage(const QByteArray& bytes)
{
    return core::decodeImageBytes(bytes);
}

QImage decodeBase64Image(const QByteArray& base64)
{
    return decodeImage(QByteArray::fromBase64(base64));
}

QImage readImageFile(const QString& path, const char* function)
{
    return core::readImageFile(path, function);
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
