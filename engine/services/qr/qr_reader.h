// Reading QR Code and Code 128 symbols out of a picture.
#pragma once

#include <QByteArray>
#include <QImage>

namespace tavix::qr {

// Scales `picture` to fit 200 x 200 (keeping its aspect, without smoothing)
// and decodes it with only the QR Code and Code 128 readers enabled. The
// decoded text as UTF-8; empty when nothing was found.
QByteArray readBarcode(const QImage& picture);

}  // namespace tavix::qr
