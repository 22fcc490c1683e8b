// Texts crossing the C interface: arguments are UTF-8 (null counts as empty);
// results are copied into a fixed array owned by the returning function.
// qint64 comes from QByteArray's headers.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstring>

namespace tavix::core {

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

// The bytes of a C text argument as they are (null counts as empty).
inline QByteArray rawArg(const char* text)
{
    return QByteArray(text ? text : "");
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

// What a result array does with a text longer than it holds.
enum class TooLong {
    Cut,      // keeps the longest prefix that ends with a whole UTF-8 character
    KeepOld,  // keeps the previous text, which the caller then receives again
    Empty,    // stores the empty text, with a log line: no part of it is usable
};

// A function's result array: N bytes including the terminator; nothing is
// ever written past N. Texts that do not fit are handled by `policy`.
template <std::size_t N, TooLong policy = TooLong::Cut>
class ResultText {
public:
    static constexpr std::size_t kLimit = N - 1;  // bytes of text at most

    static bool fits(qint64 length) { return length >= 0 && std::size_t(length) <= kLimit; }

    const char* set(const QByteArray& bytes)
    {
        std::size_t length = std::size_t(bytes.size());
        if (policy == TooLong::KeepOld && !fits(bytes.size()))
            return data_;
        if (policy == TooLong::Empty && !fits(bytes.size())) {
            qWarning("A result of %lld bytes does not fit its %zu-byte array: it is left empty",
                     static_cast<long long>(bytes.size()), N);
            length = 0;
        }
        if (policy == TooLong::Cut)
            length = utf8PrefixLength(bytes.constData(), length, kLimit);
        std::memcpy(data_, bytes.constData(), length);
        data_[length] = '\0';
        return data_;
    }
    const char* set(const QString& text) { return set(text.toUtf8()); }
    const char* data() const { return data_; }

private:
    char data_[N] = {};
};

}  // namespace tavix::core
