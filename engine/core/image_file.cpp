#include "image_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QtDebug>

#include "core/file_kind.h"

namespace tavix::core {

QImage readImageChecked(QImageReader& reader)
{
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > kMaxDecodedBytes) {
        qWarning("Refusing to decode a %d x %d picture: larger than %lld MiB", size.width(),
                 size.height(), kMaxDecodedBytes >> 20);
        return {};
    }
    return reader.read();
}

QImage decodeImageBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return readImageChecked(reader);
}

QImage readImageFile(const QString& path, const char* function)
{
    if (path.isEmpty() || refuseSpecialFile(path, function))
        return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return readImageChecked(reader);
}

bool writeImageFile(const QImage& image, const QString& path, const QByteArray& format, int quality)
{
    if (image.isNull())
        return false;
    if (path.isEmpty()) {
        qWarning("Cannot write an image: no file path");
        return false;
    }
    const QByteArray chosen =
        (format.isEmpty() ? QFileInfo(path).suffix().toLatin1() : format).toLower();
    if (chosen.isEmpty() || !QImageWriter::supportedImageFormats().contains(chosen)) {
        qWarning() << "No image writer for" << path;
        return false;
    }
    // QSaveFile would put a regular file in the place of a device or FIFO.
    if (refuseSpecialFile(path, "Cannot write the image"))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "Cannot write" << path << ":" << file.errorString();
        return false;
    }
    QImageWriter writer(&file, chosen);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        qWarning() << "Cannot write" << path << ":" << writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qWarning() << "Cannot write" << path << ":" << file.errorString();
        return false;
    }
    return true;
}

}  // namespace tavix::core
