// Base64 and hex conversions, the random integer and the version text.
#include <QByteArray>
#include <QTime>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/text.h"
#include "codec_service.h"
#include "version.h"

using tavix::core::ResultText;
using tavix::core::TooLong;

namespace tavix::codec {

namespace {

constexpr int kByteArray = 16384;

}  // namespace

const char* encodeBase64(const char* input, int length)
{
    static ResultText<16384, TooLong::Empty> result;
    if (length < 0)
        length = input ? int(std::strlen(input)) : 0;
    if (!input && length > 0) {
        qWarning("TX_utils_encodeBase64: no input for a length of %d", length);
        return result.set(QByteArray());
    }
    // Too long for the array: empty, without reading the input.
    if (!result.fits((qint64(length) + 2) / 3 * 4)) {
        qWarning("TX_utils_encodeBase64: %d bytes give too long a text", length);
        return result.set(QByteArray());
    }
    return result.set(QByteArray::fromRawData(input ? input : "", length).toBase64());
}

const char* decodeBase64(const QByteArray& input, int* outLength)
{
    static ResultText<16384, TooLong::Empty> result;
    // Malformed UTF-8 becomes U+FFFD (EF BF BD).
    const QByteArray bytes = QString::fromUtf8(QByteArray::fromBase64(input)).toUtf8();
    // A result that is not stored has no length: a caller copying that many
    // bytes would read past the array.
    if (outLength)
        *outLength = result.fits(bytes.size()) ? bytes.size() : 0;
    // Stored with a terminating zero, so that a shorter result never shows
    // the tail of a longer earlier one to callers reading a C text.
    return result.set(bytes);
}

const char* hexToByte(const QByteArray& szHex, int* outLength)
{
    static char bytes[kByteArray] = {};
    QByteArray text = szHex.simplified();
    if (text.size() % 2 != 0)
        text.append('0');
    const int count = std::min(text.size() / 2, kByteArray);
    if (outLength)
        *outLength = count;
    for (int i = 0; i < count; ++i) {
        const int high = core::hexDigitValue(text[2 * i]);
        const int low = core::hexDigitValue(text[2 * i + 1]);
        bytes[i] = char(high < 0 || low < 0 ? 0 : high * 16 + low);
    }
    return bytes;
}

const char* byteToHex(const unsigned char* vByte, int vLen)
{
    static ResultText<16384, TooLong::Empty> result;
    if (vLen < 1)
        return result.set(QByteArray());
    if (!vByte) {
        qWarning("TX_utils_byteToHex: no bytes for a length of %d", vLen);
        return result.set(QByteArray());
    }
    if (!result.fits(qint64(vLen) * 2)) {
        qWarning("TX_utils_byteToHex: %d bytes give too long a text", vLen);
        return result.set(QByteArray());
    }
    return result.set(QByteArray::fromRawData(reinterpret_cast<const char*>(vByte), vLen).toHex());
}

int randomInt(int min, int max)
{
    // Reseeded with the seconds since local midnight: calls within one second agree.
    std::srand(unsigned(QTime::currentTime().msecsSinceStartOfDay() / 1000));
    const long long r = std::rand();
    // Bounds given the wrong way round count as the same range.
    const long long low = std::min(min, max);
    const long long span = (long long)std::max(min, max) - low;
    if (span == 0)
        return min;  // the only value the range holds
    // In 64 bits so that wide ranges neither overflow nor divide by zero.
    return int(low + r % span);
}

const char* versionInfo()
{
    return "Tavix api " TAVIX_VERSION " - codecs, ciphers, QR codes and zip archives. Copyright (c) Tavix.";
}

}  // namespace tavix::codec
