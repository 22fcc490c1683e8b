// The script object `utils`: digests, ciphers, Base64 and hex, random numbers,
// QR codes and zip archives.
#pragma once

#include <QObject>
#include <QScriptValue>
#include <QString>

#include "host_state.h"

namespace vantor {

class TX_utils : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    QScriptValue md5(QString strFileOrString);
    QScriptValue encodeAes(QString src, QString key);
    QScriptValue decodeAes(QString src, QString key);
    QScriptValue encodeDes(QString src, QString key);
    QScriptValue decodeDes(QString src, QString key);
    QScriptValue encodeRc4(QString src, QString key);
    QScriptValue decodeRc4(QString src, QString key);
    QScriptValue encodeBase64(QString input);
    QScriptValue decodeBase64(QString input);
    QScriptValue hexToByte(QString szHex);
    // An array of byte values (or a string, taken as its UTF-8 bytes); at most
    // vLen of them.
    QScriptValue byteToHex(QScriptValue vByte, int vLen);
    QScriptValue randomInt(int min, int max);
    TX_api* createQRCode(QString text, int scale, TX_api* pLogoImage);
    TX_api* createQRCode(QString text, int scale);
    TX_api* createQRCode(QString text, int scale, QString SaveImagePath, QString LogoImagePath);
    TX_api* createQRCode(QString text, int scale, QString SaveImagePath);
    QScriptValue decodeQRCode(TX_api* pImage);
    QScriptValue decodeQRCode(QString ImageFile);
    QScriptValue zipFile(QString filePath, QString dest, QString password);
    QScriptValue zipFile(QString filePath, QString dest);
    QScriptValue zipDir(QString Dir, QString dest, QString password);
    QScriptValue zipDir(QString Dir, QString dest);
    QScriptValue unZip(QString zipFilePath, QString dest, QString password);
    QScriptValue unZip(QString zipFilePath, QString dest);
    QScriptValue unZipDir(QString Dir, QString dest, QString password);
    QScriptValue unZipDir(QString Dir, QString dest);
    QScriptValue versionInfo();
};

}  // namespace vantor
