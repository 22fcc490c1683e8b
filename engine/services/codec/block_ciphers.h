// The cipher primitives the utils family composes, all from OpenSSL's
// libcrypto. Data lengths are whole blocks; no padding is added here.
#pragma once

#include <QByteArray>

namespace tavix::codec {

// AES-128 in ECB mode; `key` has 16 bytes, `data` a multiple of 16.
QByteArray aes128Ecb(const QByteArray& key, const QByteArray& data, bool encipher);

// DES or TDEA in CBC mode with an all-zero IV. `key` has at least 8 bytes:
// below 16 one key, below 24 two keys (K1, K2, K1), else three; the rest is
// ignored. `data` is a multiple of 8.
QByteArray desCbc(const QByteArray& key, const QByteArray& data, bool encipher);

// RC4 from the start of its key stream; `key` must not be empty.
QByteArray rc4(const QByteArray& key, const QByteArray& data);

}  // namespace tavix::codec
