#include "engine_base64.h"

#include <array>

namespace tavix::codec {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

const std::array<unsigned char, 256>& sextets()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> values{};  // outside the alphabet: zero
        for (unsigned char i = 0; i < 64; ++i)
            values[static_cast<unsigned char>(kAlphabet[i])] = i;
        return values;
    }();
    return table;
}

}  // namespace

QByteArray encodeEngineBase64(const QByteArray& bytes)
{
    return bytes.toBase64();
}

QByteArray decodeEngineBase64(const QByteArray& text)
{
    const auto& values = sextets();
    QByteArray bytes;
    bytes.reserve(text.size() / 4 * 3 + 3);
    for (int start = 0; start < text.size(); start += 4) {
        // Characters of this group up to a "=" or the end of the text.
        int used = 0;
        unsigned group = 0;
        bool padded = false;
        for (int i = 0; i < 4; ++i) {
            const int at = start + i;
            if (at >= text.size() || text[at] == '=') {
                padded = at < text.size();
                break;
            }
            group |= unsigned(values[static_cast<unsigned char>(text[at])]) << (18 - 6 * i);
            ++used;
        }
        // Four characters give three bytes, three give two, two give one.
        for (int i = 0; i + 1 < used; ++i)
            bytes.append(char((group >> (16 - 8 * i)) & 0xFF));
        if (padded)
            break;
    }
    return bytes;
}

}  // namespace tavix::codec
