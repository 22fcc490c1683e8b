// Windows: the machine's facts and the display gamma, from the system's own
// calls (power status, the registry's firmware description, the version that
// ntdll reports, GDI's gamma ramp and Core Audio's endpoint volume).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

// A text of the raw SMBIOS tables (the structures as GetSystemFirmwareTable's
// 'RSMB' table holds them, after its 8-byte header): the string that byte
// `field` of the first structure of `type` points to, as UTF-8 (the bytes
// read as Latin-1). Empty when there is none or the tables are malformed.
std::string smbiosText(const std::uint8_t* tables, std::size_t size, std::uint8_t type,
                       std::uint8_t field);

}  // namespace tavix::platform::windows
