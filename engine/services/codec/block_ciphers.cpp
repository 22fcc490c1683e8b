#include "block_ciphers.h"

// The DES and RC4 primitives are kept in libcrypto 3 under its deprecated
// low-level interface (EVP offers them only through the legacy provider).
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/des.h>
#include <openssl/evp.h>
#include <openssl/rc4.h>

#include <cstring>
#include <memory>
#include <stdexcept>

namespace tavix::codec {

namespace {

unsigned char* bytesOf(QByteArray& bytes)
{
    return reinterpret_cast<unsigned char*>(bytes.data());
}

const unsigned char* bytesOf(const QByteArray& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}

void schedule(const QByteArray& key, int offset, DES_key_schedule* out)
{
    DES_cblock block;
    std::memcpy(block, key.constData() + offset, sizeof block);
    // Parity bits are ignored and weak keys accepted, as the texts' keys are.
    DES_set_key_unchecked(&block, out);
}

}  // namespace

QByteArray aes128Ecb(const QByteArray& key, const QByteArray& data, bool encipher)
{
    if (key.size() != 16 || data.size() % 16 != 0)
        throw std::invalid_argument("aes128Ecb: key or data of the wrong length");
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                            &EVP_CIPHER_CTX_free);
    QByteArray out(data.size() + 16, Qt::Uninitialized);
    int written = 0;
    int last = 0;
    if (!context
        || EVP_CipherInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, bytesOf(key), nullptr, encipher ? 1 : 0) != 1
        || EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1
        || EVP_CipherUpdate(context.get(), bytesOf(out), &written, bytesOf(data), data.size()) != 1
        || EVP_CipherFinal_ex(context.get(), bytesOf(out) + written, &last) != 1)
        throw std::runtime_error("aes128Ecb: libcrypto refused the operation");
    out.truncate(written + last);
    return out;
}

QByteArray desCbc(const QByteArray& key, const QByteArray& data, bool encipher)
{
    if (key.size() < 8 || data.size() % 8 != 0)
        throw std::invalid_argument("desCbc: key or data of the wrong length");
    DES_key_schedule k1, k2, k3;
    schedule(key, 0, &k1);
    if (key.size() >= 16)
        schedule(key, 8, &k2);
    else
        k2 = k1;  // E-D-E with one key is single DES
    if (key.size() >= 24)
        schedule(key, 16, &k3);
    else
        k3 = k1;
    DES_cblock iv = {};
    QByteArray out(data.size(), Qt::Uninitialized);
    if (!data.isEmpty())
        DES_ede3_cbc_encrypt(bytesOf(data), bytesOf(out), long(data.size()), &k1, &k2, &k3, &iv,
                             encipher ? DES_ENCRYPT : DES_DECRYPT);
    return out;
}

QByteArray rc4(const QByteArray& key, const QByteArray& data)
{
    if (key.isEmpty())
        throw std::invalid_argument("rc4: empty key");
    RC4_KEY state;
    RC4_set_key(&state, key.size(), bytesOf(key));
    QByteArray out(data.size(), Qt::Uninitialized);
    if (!data.isEmpty())
        RC4(&state, size_t(data.size()), bytesOf(data), bytesOf(out));
    return out;
}

}  // namespace tavix::codec
