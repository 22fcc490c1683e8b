// The codec and cipher part of the utils family: file digest, AES, DES and
// RC4 texts, Base64 and hex, a random integer and the version text. Each
// text result lives in its function's own array, which keeps its previous text
// when a new one does not fit (see core/text.h).
#pragma once

#include <QByteArray>
#include <QString>

namespace tavix::codec {

// cipher_texts.cpp
const char* md5(const QString& path);
const char* encodeAes(const QString& src, const QString& key);
const char* decodeAes(const QString& src, const QString& key);
const char* encodeDes(const QByteArray& src, const QByteArray& key);
const char* decodeDes(const QByteArray& src, const QByteArray& key);
const char* encodeRc4(const QByteArray& src, const QByteArray& key);
const char* decodeRc4(const QByteArray& src, const QByteArray& key);

// byte_texts.cpp
const char* encodeBase64(const char* input, int length);
const char* decodeBase64(const QByteArray& input, int* outLength);
const char* hexToByte(const QByteArray& szHex, int* outLength);
const char* byteToHex(const unsigned char* vByte, int vLen);
int randomInt(int min, int max);
const char* versionInfo();

}  // namespace tavix::codec
