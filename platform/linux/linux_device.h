// Device facts on Linux: sysfs and os-release for the machine, RandR for the
// gamma ramp, ALSA for the master volume.
#pragma once

#include "tavix/platform/device.h"

namespace tavix::platform::device {

// The default sound card's master playback control; nothing without one.
std::optional<MasterVolume> alsaMasterVolume();

class LinuxDevice : public DeviceBackend {
public:
    Firmware firmware() override;
    PowerStatus powerStatus() override;
    std::string systemName() override;
    bool setGammaRamp(const GammaRamp& ramp) override;
    std::vector<std::uint16_t> currentGammaRed() override;
    std::optional<MasterVolume> masterVolume() override;
};

}  // namespace tavix::platform::device
