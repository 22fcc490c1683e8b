#include "image/colour_text.h"

#include <QColor>
#include <cstdio>
#include <cstring>

#include "core/text.h"

namespace tavix::image {

namespace {

// The hexadecimal number of up to two digits at text[at], text being `length` long.
std::optional<int> hexPair(const char* text, std::size_t length, std::size_t at)
{
    if (at >= length)
        return std::nullopt;
    const int high = core::hexDigitValue(text[at]);
    if (high < 0)
        return std::nullopt;
    if (at + 1 >= length)
        return high;
    const int low = core::hexDigitValue(text[at + 1]);
    if (low < 0)
        return std::nullopt;
    return high * 16 + low;
}

}  // namespace

Rgb scanColour(const char* text)
{
    unsigned int red = 0, green = 0, blue = 0;
    if (text)
        std::sscanf(text, "#%02x%02x%02x", &red, &green, &blue);
    return {int(red), int(green), int(blue)};
}

std::optional<Rgb> positionalColour(const char* text)
{
    if (!text)
        return std::nullopt;
    const std::size_t length = std::strlen(text);
    const auto red = hexPair(text, length, 1);
    const auto green = hexPair(text, length, 3);
    const auto blue = hexPair(text, length, 5);
    if (length < 5 || !red || !green || !blue)
        return std::nullopt;
    return Rgb{*red, *green, *blue};
}

Rgb namedColour(const char* text)
{
    QColor colour;
    colour.setNamedColor(QString::fromUtf8(text ? text : ""));
    if (!colour.isValid())
        return {};
    return {colour.red(), colour.green(), colour.blue()};
}

}  // namespace tavix::image
