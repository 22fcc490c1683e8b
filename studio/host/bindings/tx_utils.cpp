#include "tx_utils.h"

#include <optional>

#include "script_text.h"
#include "script_values.h"
#include "tavix.h"

namespace vantor {

using vantor::engineText;
using vantor::sharedRecord;

namespace {

using Cipher = const char* (*)(const char*, const char*);

QScriptValue cipher(Cipher function, const QString& src, const QString& key)
{
    return engineText(function(src.toUtf8().constData(), key.toUtf8().constData()));
}

// The shared record's handle for a made symbol; none when nothing could be
// encoded, so that a script never takes an earlier picture for its QR code.
TX_api* madeSymbol(int made)
{
    return made ? sharedRecord() : nullptr;
}

}  // namespace

QScriptValue TX_utils::md5(QString strFileOrString)
{
    return engineText(TX_utils_md5(strFileOrString.toUtf8().constData()));
}

QScriptValue TX_utils::encodeAes(QString src, QString key) { return cipher(TX_utils_encodeAes, src, key); }
QScriptValue TX_utils::decodeAes(QString src, QString key) { return cipher(TX_utils_decodeAes, src, key); }
QScriptValue TX_utils::encodeDes(QString src, QString key) { return cipher(TX_utils_encodeDes, src, key); }
QScriptValue TX_utils::decodeDes(QString src, QString key) { return cipher(TX_utils_decodeDes, src, key); }
QScriptValue TX_utils::encodeRc4(QString src, QString key) { return cipher(TX_utils_encodeRc4, src, key); }
QScriptValue TX_utils::decodeRc4(QString src, QString key) { return cipher(TX_utils_decodeRc4, src, key); }

QScriptValue TX_utils::encodeBase64(QString input)
{
    const QByteArray bytes = input.toUtf8();
    return engineText(TX_utils_encodeBase64(bytes.constData(), bytes.size()));
}

QScriptValue TX_utils::decodeBase64(QString input)
{
    int length = 0;
    return engineText(TX_utils_decodeBase64(input.toUtf8().constData(), &length));
}

QScriptValue TX_utils::hexToByte(QString szHex)
{
    int length = 0;
    const char* bytes = TX_utils_hexToByte(szHex.toUtf8().constData(), &length);
    if (!bytes || length <= 0)
        return QScriptValue(QString());
    const QByteArray block(bytes, static_cast<int>(qstrnlen(bytes, static_cast<uint>(length))));
    return QScriptValue(QString::fromUtf8(block));
}

QScriptValue TX_utils::byteToHex(QScriptValue vByte, int vLen)
{
    std::optional<QByteArray> bytes;
    if (vByte.isString())
        bytes = vByte.toString().toUtf8();
    else
        bytes = vantor::bytesOfElements(vByte);
    if (!bytes)
        return QScriptValue(QString());
    const int count = vLen < bytes->size() ? vLen : bytes->size();
    return engineText(
        TX_utils_byteToHex(reinterpret_cast<const unsigned char*>(bytes->constData()), count));
}

QScriptValue TX_utils::randomInt(int min, int max)
{
    return QScriptValue(TX_utils_randomInt(min, max));
}

TX_api* TX_utils::createQRCode(QString text, int scale, TX_api* pLogoImage)
{
    sharedRecord()->logoImage = pLogoImage ? pLogoImage->image : QImage();
    return madeSymbol(TX_utils_createQRCodeImage(text.toUtf8().constData(), scale));
}

TX_api* TX_utils::createQRCode(QString text, int scale)
{
    sharedRecord()->logoImage = QImage();
    return madeSymbol(TX_utils_createQRCodeImage(text.toUtf8().constData(), scale));
}

TX_api* TX_utils::createQRCode(QString text, int scale, QString SaveImagePath, QString LogoImagePath)
{
    return madeSymbol(TX_utils_createQRCode(text.toUtf8().constData(), scale,
                                            SaveImagePath.toUtf8().constData(),
                                            LogoImagePath.toUtf8().constData()));
}

TX_api* TX_utils::createQRCode(QString text, int scale, QString SaveImagePath)
{
    return createQRCode(text, scale, SaveImagePath, QString());
}

QScriptValue TX_utils::decodeQRCode(TX_api* pImage)
{
    if (!pImage)
        return QScriptValue(QScriptValue::NullValue);
    TX_api_setData(pImage);
    return engineText(TX_utils_decodeQRCodeImage());
}

QScriptValue TX_utils::decodeQRCode(QString ImageFile)
{
    return engineText(TX_utils_decodeQRCode(ImageFile.toUtf8().constData()));
}

QScriptValue TX_utils::zipFile(QString filePath, QString dest, QString password)
{
    return QScriptValue(TX_utils_zipFile(filePath.toUtf8().constData(), dest.toUtf8().constData(),
                                         password.toUtf8().constData()) ? 1 : 0);
}

QScriptValue TX_utils::zipFile(QString filePath, QString dest)
{
    return QScriptValue(
        TX_utils_zipFile(filePath.toUtf8().constData(), dest.toUtf8().constData(), nullptr) ? 1 : 0);
}

QScriptValue TX_utils::zipDir(QString Dir, QString dest, QString password)
{
    return QScriptValue(TX_utils_zipDir(Dir.toUtf8().constData(), dest.toUtf8().constData(),
                                        password.toUtf8().constData()) ? 1 : 0);
}

QScriptValue TX_utils::zipDir(QString Dir, QString dest)
{
    return QScriptValue(
        TX_utils_zipDir(Dir.toUtf8().constData(), dest.toUtf8().constData(), nullptr) ? 1 : 0);
}

QScriptValue TX_utils::unZip(QString zipFilePath, QString dest, QString password)
{
    TX_utils_unZip(zipFilePath.toUtf8().constData(), dest.toUtf8().constData(),
                   password.toUtf8().constData());
    return QScriptValue(1);
}

QScriptValue TX_utils::unZip(QString zipFilePath, QString dest)
{
    TX_utils_unZip(zipFilePath.toUtf8().constData(), dest.toUtf8().constData(), nullptr);
    return QScriptValue(1);
}

QScriptValue TX_utils::unZipDir(QString Dir, QString dest, QString password)
{
    TX_utils_unZipDir(Dir.toUtf8().constData(), dest.toUtf8().constData(),
                      password.toUtf8().constData());
    return QScriptValue(1);
}

QScriptValue TX_utils::unZipDir(QString Dir, QString dest)
{
    TX_utils_unZipDir(Dir.toUtf8().constData(), dest.toUtf8().constData(), nullptr);
    return QScriptValue(1);
}

QScriptValue TX_utils::versionInfo()
{
    return engineText(TX_utils_versionInfo());
}

}  // namespace vantor
