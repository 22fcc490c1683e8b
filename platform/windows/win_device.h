// Windows: the machine's facts and the display gamma, from the system's own
// calls (power status, the registry's firmware description, the version that
// ntdll reports, GDI's gamma ramp and Core Audio's endpoint volume).
#pragma once

#include "tavix/platform/device.h"

namespace tavix::platform::windows {

class WinDevice final : public device::DeviceBackend {
public:
    device::Firmware firmware() override;
    device::PowerStatus powerStatus() override;
    std::string systemName() override;
    bool setGammaRamp(const device::GammaRamp& ramp) override;
    std::vector<std::uint16_t> currentGammaRed() override;
    std::optional<device::MasterVolume> masterVolume() override;
};

}  // namespace tavix::platform::windows
