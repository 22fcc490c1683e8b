// Facts about the machine and the two settings the engine changes: the
// display's gamma ramp and (read only) the master volume.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavix::platform::device {

// The firmware's identification (DMI / SMBIOS); a field the system does not
// let us read is empty. Texts are UTF-8.
struct Firmware {
    std::string boardVendor;
    std::string boardName;
    std::string biosVendor;
    std::string biosVersion;
    std::string biosSerial;
};

// The power supply as Windows' system power status reports it.
struct PowerStatus {
    int batteryPercent = 255;  // 0..100, 255 when unknown
    int acLine = 255;          // 1 on mains, 0 off mains, 255 unknown
};

// A 256-entry ramp, the same for red, green and blue.
using GammaRamp = std::array<std::uint16_t, 256>;

// The default sound card's master playback control: its maximum gain in dB
// and its current setting from 0 to 1.
struct MasterVolume {
    double maxDb = 0;
    double scalar = 0;
};

class DeviceBackend {
public:
    virtual ~DeviceBackend() = default;

    virtual Firmware firmware() = 0;
    virtual PowerStatus powerStatus() = 0;
    // The operating system's name ("Debian GNU/Linux 12 (bookworm)",
    // "Windows 10"); empty when the system does not tell.
    virtual std::string systemName() = 0;
    // Sets `ramp` on the primary display; false when the display offers no
    // gamma or refuses it.
    virtual bool setGammaRamp(const GammaRamp& ramp) = 0;
    // The primary display's red ramp as the system holds it (any length);
    // empty when the display offers no gamma.
    virtual std::vector<std::uint16_t> currentGammaRed() = 0;
    // Nothing without a sound card (or where the audio system is unreachable).
    virtual std::optional<MasterVolume> masterVolume() = 0;
};

}  // namespace tavix::platform::device
