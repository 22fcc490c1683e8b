// Windows virtual-key codes to X keysyms (US layout).
#pragma once

#include <cstdint>

namespace tavix::platform::x11 {

// The keysym for a virtual-key code, or 0 (NoSymbol) for codes without one.
unsigned long keysymForVirtualKey(std::uint8_t vk);

}  // namespace tavix::platform::x11
