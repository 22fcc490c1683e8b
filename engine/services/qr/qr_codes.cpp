#include "qr_codes.h"

#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "core/image_file.h"
#include "core/shared_state.h"
#include "core/text.h"
#include "qr_reader.h"
#include "qr_symbol.h"

using tavix::core::ResultText;
using tavix::core::sharedRecord;

namespace tavix::qr {

namespace {

constexpr std::size_t kResultSize = 16384;

// These two messages go to standard output, without a line end.
void tellStandardOutput(const char* message)
{
    std::fputs(message, stdout);
    std::fflush(stdout);
}

// Makes the picture and leaves it in the shared record; null when the text
// gives no symbol or the picture cannot be made.
QImage makePicture(const char* text, int scale, const QImage* logo)
{
    if (!text) {
        qWarning("createQRCode: no text");
        return {};
    }
    const std::optional<QrModules> modules = encodeQr(QByteArray(text));
    if (!modules) {
        qWarning("createQRCode: the text cannot be encoded as a QR code (%d bytes)", int(std::strlen(text)));
        return {};
    }
    QImage picture = drawQr(*modules, scale, logo);
    if (picture.isNull())
        qWarning("createQRCode: cannot make a %d x %d picture", scale, scale);
    return picture;
}

const char* decodeInto(ResultText<kResultSize>& result, const QImage& picture)
{
    const QByteArray text = readBarcode(picture);
    if (text.isEmpty()) {
        qWarning("decodeQRCode: no QR Code or Code 128 symbol in the picture");
        tellStandardOutput("Wrong picture format!");
        return nullptr;
    }
    if (std::size_t(text.size()) >= kResultSize) {
        qWarning("decodeQRCode: the decoded text (%d bytes) does not fit the result", int(text.size()));
        return nullptr;
    }
    return result.set(text);
}

}  // namespace

int createQRCode(const char* text, int scale, const QString& savePath, const QString& logoPath)
{
    QImage logo;
    const bool hasLogo = !logoPath.isEmpty() && QFileInfo::exists(logoPath);
    if (hasLogo) {
        logo = core::readImageFile(logoPath, "createQRCode: the logo");
        if (logo.isNull())
            qWarning("createQRCode: the logo %s is not a picture", qUtf8Printable(logoPath));
    }
    // A logo file that is not a picture still gets its black square.
    QImage transparent(1, 1, QImage::Format_ARGB32_Premultiplied);
    transparent.fill(Qt::transparent);
    const QImage* drawn = hasLogo ? (logo.isNull() ? &transparent : &logo) : nullptr;

    const QImage picture = makePicture(text, scale, drawn);
    if (picture.isNull())
        return 0;
    if (!core::writeImageFile(picture, savePath))
        qWarning("createQRCode: could not save the picture to %s", qUtf8Printable(savePath));
    sharedRecord().image = picture;
    return 1;
}

int createQRCodeImage(const char* text, int scale)
{
    const QImage logo = sharedRecord().logoImage;
    const QImage picture = makePicture(text, scale, logo.isNull() ? nullptr : &logo);
    if (picture.isNull())
        return 0;
    sharedRecord().image = picture;
    return 1;
}

const char* decodeQRCode(const QString& imageFile)
{
    static ResultText<kResultSize> result;
    const QImage picture = core::readImageFile(imageFile, "decodeQRCode");
    if (picture.isNull()) {
        qWarning("decodeQRCode: cannot open the picture %s", qUtf8Printable(imageFile));
        tellStandardOutput("Open Picture fail!");
        return nullptr;
    }
    return decodeInto(result, picture);
}

const char* decodeQRCodeImage()
{
    static ResultText<kResultSize> result;
    const QImage picture = sharedRecord().image;
    if (picture.isNull())
        return nullptr;
    return decodeInto(result, picture);
}

}  // namespace tavix::qr
