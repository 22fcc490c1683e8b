#include "qr_reader.h"

#include <QPainter>

#define ZX_USE_UTF8 1
#include <ZXing/DecodeHints.h>
#include <ZXing/ImageView.h>
#include <ZXing/ReadBarcode.h>

namespace tavix::qr {

namespace {
constexpr int kDecodeSide = 200;
}

QByteArray readBarcode(const QImage& picture)
{
    if (picture.isNull())
        return {};
    const QImage fitted = picture.scaled(kDecodeSide, kDecodeSide, Qt::KeepAspectRatio, Qt::FastTransformation);
    if (fitted.isNull())
        return {};
    // Transparent areas count as white, as they look on a page.
    QImage flat(fitted.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, fitted);
    }
    const QImage gray = flat.convertToFormat(QImage::Format_Grayscale8);
    if (gray.isNull())
        return {};
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode | ZXing::BarcodeFormat::Code128);
    hints.setTryDownscale(false);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                int(gray.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return {};
    const std::string text = result.text();
    return QByteArray(text.data(), int(text.size()));
}

}  // namespace tavix::qr
