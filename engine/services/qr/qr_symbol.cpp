#include "qr_symbol.h"

#include <QPainter>
#include <QRectF>
#include <memory>

#include <qrencode.h>

namespace tavix::qr {

namespace {

constexpr int kMinimumVersion = 2;

// The canvas is scaled down to `scale` pixels without smoothing, which picks
// the same module for each final pixel whatever the module size; beyond this
// side a canvas of `scale` pixels per module only costs time and memory
// (hundreds of megabytes for larger symbols), so modules are drawn smaller.
constexpr int kMaxCanvasSide = 2048;

// The largest picture made: 256 MiB of 32-bit pixels, as for decoded pictures.
constexpr int kMaxPictureSide = 8192;

struct QrCodeFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

void drawLogo(QImage& canvas, const QImage& logo)
{
    const qreal side = canvas.width();
    const qreal g = (side - 20) * 0.23;
    const qreal h = (side - g) * 0.5;
    QPainter painter(&canvas);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRectF(h - 5, h - 5, g + 10, g + 10), 50, 50, Qt::RelativeSize);
    painter.drawImage(QRectF(h, h, g, g), logo);
}

}  // namespace

std::optional<QrModules> encodeQr(const QByteArray& text)
{
    if (text.isEmpty())
        return std::nullopt;
    std::unique_ptr<QRcode, QrCodeFree> code(
        QRcode_encodeString(text.constData(), kMinimumVersion, QR_ECLEVEL_H, QR_MODE_8, 1));
    if (!code)
        return std::nullopt;
    QrModules modules;
    modules.side = code->width;
    const std::size_t count = std::size_t(code->width) * std::size_t(code->width);
    modules.dark.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        modules.dark[i] = (code->data[i] & 1) != 0;
    return modules;
}

QImage drawQr(const QrModules& modules, int scale, const QImage* logo)
{
    if (scale <= 0 || modules.side <= 0)
        return {};
    if (scale > kMaxPictureSide) {
        qWarning("Refusing a QR picture of %d pixels a side: %d at most", scale, kMaxPictureSide);
        return {};
    }
    const int moduleSize = std::max(1, std::min(scale, kMaxCanvasSide / modules.side));
    const int side = moduleSize * modules.side;
    QImage canvas(side, side, QImage::Format_ARGB32);
    if (canvas.isNull())
        return {};
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        for (int y = 0; y < modules.side; ++y)
            for (int x = 0; x < modules.side; ++x)
                if (modules.at(x, y))
                    painter.fillRect(x * moduleSize, y * moduleSize, moduleSize, moduleSize, Qt::black);
    }
    if (logo && !logo->isNull())
        drawLogo(canvas, *logo);
    return canvas.scaled(scale, scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace tavix::qr
