// Pure conversions between the engine's Windows-shaped terms and what the
// systems report, shared by every backend and tested as tables on each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tavix/platform/device.h"

namespace tavix::platform::convert {

// mouse_event's absolute coordinates: pixel * 65536 / extent, rounded up and
// computed wide (pixels of 32768 and more do not wrap), then clamped to 32
// bits; 0 when `extent` is not positive. Windows maps them back with a
// truncating division, which a truncated value here would leave one pixel
// short of most targets; rounded up, every pixel comes back as itself.
std::int32_t toNormalised(int pixel, int extent);
// The pixel a normalised coordinate was computed from: the nearest one, so
// that toNormalised's truncation comes back exactly.
int fromNormalised(std::int32_t normalised, int extent);

// Keys that Windows sends with the extended-key flag (arrows, the block above
// them, right-hand modifiers, the Windows keys, numeric-pad divide, ...).
bool isExtendedKey(std::uint8_t virtualKey);

// Windows' SYSTEM_POWER_STATUS fields as the engine reports them: the mains
// field as the system gives it (some systems say 2 for mains), a battery
// value outside 0..100 as 255, unknown.
device::PowerStatus powerStatusFromSystem(std::uint8_t acLineStatus,
                                          std::uint8_t batteryLifePercent);

// One entry of Linux's power_supply class, its attributes as read.
struct PowerSupply {
    std::string type;      // "Battery", "Mains", "USB", ...
    std::string scope;     // "Device" for peripherals' own batteries
    std::string present;   // "0" when the battery slot is empty
    std::string capacity;  // percent
    std::string status;    // "Charging", "Discharging", "Full", ...
    std::string online;    // "1" when a mains supply is connected
};
device::PowerStatus powerStatusFromSupplies(const std::vector<PowerSupply>& supplies);

// A firmware field as shown: trimmed, and empty when the vendor left a
// placeholder ("To be filled by O.E.M.", "Default string", ...).
std::string firmwareField(const std::string& raw);

// The identifier Qt's QSysInfo::WindowsVersion gives a Windows version
// (0x20 for 2000 ... 0xC0 for 10 and later), from RtlGetVersion's numbers;
// 0 for versions older than 2000.
int windowsVersionIdentifier(unsigned major, unsigned minor);
// "Windows 2000" ... "Windows 10", or "Unknown Windows Version (<id>)".
std::string windowsVersionName(int identifier);

// The operating system's name from an os-release file's content: PRETTY_NAME,
// else NAME and VERSION; empty when it names none.
std::string prettyNameFromOsRelease(const std::string& content);

}  // namespace tavix::platform::convert
