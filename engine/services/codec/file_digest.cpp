#include "file_digest.h"

#include <QDebug>
#include <QFile>
#include <memory>
#include <openssl/evp.h>
#include <vector>

#include "core/file_kind.h"

namespace tavix::codec {

QByteArray md5OfFile(const QString& path, bool* opened)
{
    QFile file(path);
    *opened = !path.isEmpty() && !core::refuseSpecialFile(path, "TX_utils_md5")
        && file.open(QIODevice::ReadOnly);
    if (!*opened)
        return QByteArray();
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_md5(), nullptr) != 1)
        return QByteArray();
    std::vector<char> chunk(1 << 20);
    qint64 got;
    while ((got = file.read(chunk.data(), qint64(chunk.size()))) > 0) {
        if (EVP_DigestUpdate(context.get(), chunk.data(), size_t(got)) != 1)
            return QByteArray();
    }
    if (got < 0) {
        qWarning().noquote() << "TX_utils_md5: cannot read" << path << ":" << file.errorString();
        return QByteArray();
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex();
}

}  // namespace tavix::codec
