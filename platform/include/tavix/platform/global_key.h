// A key combination watched system-wide: its presses reach the program even
// while another window has the keyboard focus or the program has no window on
// screen. Used by the studio for its stop key.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tavix::platform {

namespace modifier {
constexpr unsigned kShift = 0x1;
constexpr unsigned kControl = 0x2;
constexpr unsigned kAlt = 0x4;
constexpr unsigned kMeta = 0x8;
}  // namespace modifier

struct KeyCombination {
    unsigned modifiers = 0;       // modifier:: flags
    std::uint8_t virtualKey = 0;  // Windows virtual-key code
};

class GlobalKeyGrab {
public:
    virtual ~GlobalKeyGrab() = default;

    // Grabs `keys` for this process until the object is destroyed. `onPress`
    // runs on a thread of the grab's own, once per press (auto-repeat
    // included), and must return quickly. Returns null and sets `error` when
    // the grab cannot be made: no display, a key without a key code, or the
    // combination already taken by another program.
    static std::unique_ptr<GlobalKeyGrab> create(KeyCombination keys, std::function<void()> onPress,
                                                 std::string* error);
};

}  // namespace tavix::platform
