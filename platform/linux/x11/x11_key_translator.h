// X key codes of the current keyboard layout to Windows virtual-key codes: the
// inverse of the injection key map, so that a recorded key replays as the same key.
#pragma once

#include <array>
#include <cstdint>

typedef struct _XDisplay Display;

namespace tavix::platform::x11 {

// The virtual-key code whose injection keysym is `keysym`, or 0. Where several
// codes inject the same keysym, the generic one wins (Shift over left Shift).
std::uint8_t virtualKeyForKeysym(unsigned long keysym);

class KeyTranslator {
public:
    // Reads the keyboard layout of `display` as it is now.
    void load(Display* display);

    // The virtual key of X key code `keycode` in layout group `group` (0..3), or 0
    // when no virtual key replays on that key.
    std::uint8_t virtualKey(unsigned int keycode, unsigned int group) const;

private:
    // [group][keycode]
    std::array<std::array<std::uint8_t, 256>, 4> table_{};
};

}  // namespace tavix::platform::x11
