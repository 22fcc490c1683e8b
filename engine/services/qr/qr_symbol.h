// Encoding a text into QR modules and drawing them as a picture.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>
#include <vector>

namespace tavix::qr {

// The modules of one QR symbol: `side` x `side`, row by row, true for dark.
struct QrModules {
    int side = 0;
    std::vector<bool> dark;

    bool at(int x, int y) const { return dark[std::size_t(y) * std::size_t(side) + std::size_t(x)]; }
};

// Model 2, version 2 or larger, level H, 8-bit hint, case-sensitive; the bytes
// are encoded as given. Nothing when the text is empty or too long for any version.
std::optional<QrModules> encodeQr(const QByteArray& text);

// The final `scale` x `scale` picture: modules drawn `scale` pixels wide without
// a quiet zone, the logo (when not null) in a black rounded square in the
// middle, then the whole scaled down without smoothing. Null when `scale` is
// not positive or the picture cannot be allocated.
QImage drawQr(const QrModules& modules, int scale, const QImage* logo);

}  // namespace tavix::qr
