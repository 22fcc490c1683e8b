#include "catalogue_text.h"

#include <QBuffer>
#include <QByteArray>

namespace vantor {

const QString kCameraSymbol = QString::fromUtf8("\xF0\x9F\x93\xB7");

bool needsPicture(const QString& entry)
{
    return entry.contains(kCameraSymbol, Qt::CaseSensitive);
}

QString pictureDataUrl(const QImage& picture)
{
    if (picture.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return {};
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

QString withPicture(const QString& entry, const QImage& picture)
{
    QString text = entry;
    return text.replace(kCameraSymbol, pictureDataUrl(picture), Qt::CaseSensitive);
}

QString statementOf(const QString& entry)
{
    return entry + QStringLiteral(";\n");
}

}  // namespace vantor
