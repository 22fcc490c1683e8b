#include "image_file.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace tavix::core {

bool writeImageFile(const QImage& image, const QString& path, const QByteArray& format, int quality)
{
    if (image.isNull() || path.isEmpty())
        return false;
    const QByteArray chosen =
        (format.isEmpty() ? QFileInfo(path).suffix().toLatin1() : format).toLower();
    if (chosen.isEmpty() || !QImageWriter::supportedImageFormats().contains(chosen)) {
        qWarning() << "No image writer for" << path;
        return false;
    }
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
    return file.commit();
}

}  // namespace tavix::core
