// The file digest and the AES, DES and RC4 texts.
#include <QCryptographicHash>
#include <QDebug>
#include <cstdio>

#include "block_ciphers.h"
#include "codec_service.h"
#include "core/text.h"
#include "engine_base64.h"
#include "file_digest.h"

using tavix::core::ResultText;
using tavix::core::TooLong;

namespace tavix::codec {

namespace {

QByteArray zeroPadded(QByteArray bytes, int block)
{
    if (bytes.size() % block != 0)
        bytes.append(block - bytes.size() % block, '\0');
    return bytes;
}

QByteArray cutAtZero(const QByteArray& bytes)
{
    const int zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.left(zero);
}

QByteArray aesKey(const QString& key)
{
    return QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Md5);
}

// Keys shorter than one DES key are filled up with "0" characters.
QByteArray desKey(QByteArray key)
{
    if (key.size() < 8)
        key.append(8 - key.size(), '0');
    return key;
}

}  // namespace

const char* md5(const QString& path)
{
    static ResultText<1024, TooLong::Empty> result;
    bool opened = false;
    const QByteArray digest = md5OfFile(path, &opened);
    if (!opened) {
        std::fputs("Failed to open file", stdout);
        std::fflush(stdout);
    }
    return result.set(digest);
}

const char* encodeAes(const QString& src, const QString& key)
{
    static ResultText<16384, TooLong::Empty> result;
    const QByteArray plain = zeroPadded(src.toUtf8(), 16);
    return result.set(aes128Ecb(aesKey(key), plain, true).toBase64());
}

const char* decodeAes(const QString& src, const QString& key)
{
    static ResultText<16384, TooLong::Empty> result;
    QByteArray cipher = QByteArray::fromBase64(src.toLatin1());
    // A trailing partial block cannot be deciphered and is left out.
    cipher.truncate(cipher.size() - cipher.size() % 16);
    const QByteArray plain = cutAtZero(aes128Ecb(aesKey(key), cipher, false));
    // The text comes back in Latin-1; other characters become "?".
    return result.set(QString::fromUtf8(plain).toLatin1());
}

const char* encodeDes(const QByteArray& src, const QByteArray& key)
{
    static ResultText<16384, TooLong::Empty> result;
    // The engine's encode is the CBC deciphering operation.
    return result.set(encodeEngineBase64(desCbc(desKey(key), zeroPadded(src, 8), false)));
}

const char* decodeDes(const QByteArray& src, const QByteArray& key)
{
    static ResultText<16384, TooLong::Empty> result;
    const QByteArray cipher = zeroPadded(decodeEngineBase64(src), 8);
    return result.set(cutAtZero(desCbc(desKey(key), cipher, true)));
}

const char* encodeRc4(const QByteArray& src, const QByteArray& key)
{
    static ResultText<16384, TooLong::Empty> result;
    if (key.isEmpty()) {
        qWarning("TX_utils_encodeRc4: an empty key gives no key stream");
        return result.set(QByteArray());
    }
    return result.set(encodeEngineBase64(rc4(key, src)));
}

const char* decodeRc4(const QByteArray& src, const QByteArray& key)
{
    static ResultText<16384, TooLong::Empty> result;
    if (src.size() % 2 != 0) {
        qWarning("TX_utils_decodeRc4: a text of odd length is not an enciphered text");
        return result.set(QByteArray());
    }
    if (key.isEmpty()) {
        qWarning("TX_utils_decodeRc4: an empty key gives no key stream");
        return result.set(QByteArray());
    }
    return result.set(cutAtZero(rc4(key, decodeEngineBase64(src))));
}

}  // namespace tavix::codec
