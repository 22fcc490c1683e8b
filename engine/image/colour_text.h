// The three readers of colour texts, each with the form its operations accept.
#pragma once

#include <optional>

namespace tavix::image {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb& other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

// "#" and three hexadecimal numbers of up to two digits, as scanf's
// "#%02x%02x%02x" reads them; what does not fit stays 0.
Rgb scanColour(const char* text);

// Character 0 skipped whatever it is, then the pairs at 1-2, 3-4 and 5-6 read
// as hexadecimal (the last pair may be one digit); nothing when a pair is
// missing or not hexadecimal.
std::optional<Rgb> positionalColour(const char* text);

// Everything Qt's named-colour reader accepts; (0, 0, 0) otherwise.
Rgb namedColour(const char* text);

}  // namespace tavix::image
