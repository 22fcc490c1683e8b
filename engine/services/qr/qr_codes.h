// The QR part of the utils family: making QR pictures and reading them back.
#pragma once

#include <QString>

namespace tavix::qr {

// 1 when a symbol was made (the picture is then in the shared record's
// image and, for the file form, saved to `savePath`), 0 otherwise.
int createQRCode(const char* text, int scale, const QString& savePath, const QString& logoPath);
int createQRCodeImage(const char* text, int scale);
// The decoded text (UTF-8, in each function's own array) or null.
const char* decodeQRCode(const QString& imageFile);
const char* decodeQRCodeImage();

}  // namespace tavix::qr
