// Texts crossing the C interface: arguments are UTF-8 (null counts as empty);
// results are copied into a fixed array owned by the returning function.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstring>

namespace tavix {

// The value of one hexadecimal digit, or -1 for any other character.
inline int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

inline QString textArg(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

// Length of the longest prefix of `bytes` that fits `capacity` bytes without
// cutting a UTF-8 sequence in two.
inline std::size_t utf8PrefixLength(const char* bytes, std::size_t length, std::size_t capacity)
{
    if (length <= capacity)
        return length;
    std::size_t cut = capacity;
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

// A function's result array: N bytes including the terminator. Texts that do
// not fit are cut at the last whole UTF-8 character; nothing is written past N.
template <std::size_t N>
class ResultText {
public:
    const char* set(const QByteArray& utf8)
    {
        const std::size_t length = utf8PrefixLength(utf8.constData(), std::size_t(utf8.size()), N - 1);
        std::memcpy(data_, utf8.constData(), length);
        data_[length] = '\0';
        return data_;
    }
    const char* set(const QString& text) { return set(text.toUtf8()); }
    const char* data() const { return data_; }

private:
    char data_[N] = {};
};

}  // namespace tavix
