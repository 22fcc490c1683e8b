// The display's gamma ramp through RandR, on the primary output's CRTC.
#pragma once

#include <cstdint>
#include <vector>

#include "tavix/platform/device.h"

namespace tavix::platform::x11 {

bool setGammaRamp(const device::GammaRamp& ramp);
std::vector<std::uint16_t> currentGammaRed();

}  // namespace tavix::platform::x11
