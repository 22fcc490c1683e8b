#include "tavix/platform/conversions.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tavix/platform/input.h"

namespace tavix::platform::convert {

namespace {

// clang-format off
// Virtual keys whose scan codes carry the E0 prefix on a PC keyboard.
constexpr std::uint8_t kExtendedKeys[] = {
    0x21, 0x22, 0x23, 0x24,        // Page Up, Page Down, End, Home
    0x25, 0x26, 0x27, 0x28,        // arrows
    0x2C, 0x2D, 0x2E,              // Print Screen, Insert, Delete
    0x5B, 0x5C, 0x5D,              // left and right Windows keys, Applications
    0x6F, 0x90,                    // numeric-pad divide, Num Lock
    0xA3, 0xA5,                    // right Control, right Alt
    0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC,  // browser keys
    0xAD, 0xAE, 0xAF,              // volume mute, down, up
    0xB0, 0xB1, 0xB2, 0xB3,        // media next, previous, stop, play/pause
    0xB4, 0xB5, 0xB6, 0xB7,        // mail, media select, applications 1 and 2
};

struct WindowsName {
    int identifier;
    const char* name;
};
constexpr WindowsName kWindowsNames[] = {
    {0x20, "Windows 2000"}, {0x30, "Windows XP"}, {0x80, "Windows Vista"}, {0x90, "Windows 7"},
    {0xA0, "Windows 8"},    {0xB0, "Windows 8.1"}, {0xC0, "Windows 10"},
};

// RtlGetVersion's (major, minor) to Qt's identifiers; 10.0 and later share 0xC0.
struct WindowsVersion {
    unsigned major;
    unsigned minor;
    int identifier;
};
constexpr WindowsVersion kWindowsVersions[] = {
    {5, 0, 0x20}, {5, 1, 0x30}, {5, 2, 0x30}, {6, 0, 0x80}, {6, 1, 0x90}, {6, 2, 0xA0}, {6, 3, 0xB0},
};

constexpr const char* kFirmwarePlaceholders[] = {
    "To be filled by O.E.M.", "To Be Filled By O.E.M.", "Default string", "Not Specified",
    "None", "System Serial Number", "Not Applicable",
};
// clang-format on

std::string trimmed(const std::string& text)
{
    const char* space = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

bool toPercent(const std::string& text, int* percent)
{
    const std::string value = trimmed(text);
    if (value.empty() || value.size() > 6
        || value.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *percent = std::min(100, std::stoi(value));
    return true;
}

// An os-release value: quotes removed, backslash escapes resolved.
std::string unquote(std::string value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front()) {
        std::string plain;
        for (std::size_t i = 1; i + 1 < value.size(); ++i) {
            if (value[i] == '\\' && i + 2 < value.size())
                ++i;
            plain += value[i];
        }
        return plain;
    }
    return value;
}

}  // namespace

std::int32_t toNormalised(int pixel, int extent)
{
    if (extent <= 0)
        return 0;
    const std::int64_t product = std::int64_t(pixel) * mouse::kNormalisedExtent;
    // Division truncates toward zero: up for negative quotients already.
    const std::int64_t scaled = product / extent + (product > 0 && product % extent != 0 ? 1 : 0);
    return std::int32_t(std::clamp<std::int64_t>(scaled, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

int fromNormalised(std::int32_t normalised, int extent)
{
    return int(std::llround(double(normalised) * extent / double(mouse::kNormalisedExtent)));
}

bool isExtendedKey(std::uint8_t virtualKey)
{
    return std::find(std::begin(kExtendedKeys), std::end(kExtendedKeys), virtualKey)
        != std::end(kExtendedKeys);
}

device::PowerStatus powerStatusFromSystem(std::uint8_t acLineStatus,
                                          std::uint8_t batteryLifePercent)
{
    device::PowerStatus status;
    status.acLine = acLineStatus;
    status.batteryPercent = batteryLifePercent <= 100 ? batteryLifePercent : 255;
    return status;
}

device::PowerStatus powerStatusFromSupplies(const std::vector<PowerSupply>& supplies)
{
    int batteries = 0, chargeSum = 0;
    bool sawMains = false, mainsOnline = false;
    std::string batteryState;
    for (const PowerSupply& supply : supplies) {
        const std::string type = trimmed(supply.type);
        if (type == "Battery") {
            // Peripherals (mice, headsets) report their own batteries.
            if (trimmed(supply.scope) == "Device" || trimmed(supply.present) == "0")
                continue;
            int capacity = 0;
            if (!toPercent(supply.capacity, &capacity))
                continue;
            ++batteries;
            chargeSum += capacity;
            batteryState = trimmed(supply.status);
        } else if (type == "Mains" || type.rfind("USB", 0) == 0) {
            sawMains = true;
            mainsOnline = mainsOnline || trimmed(supply.online) == "1";
        }
    }
    device::PowerStatus status;
    if (batteries > 0)
        status.batteryPercent = chargeSum / batteries;
    if (sawMains)
        status.acLine = mainsOnline ? 1 : 0;
    else if (batteryState == "Discharging")
        status.acLine = 0;
    else if (batteryState == "Charging" || batteryState == "Full")
        status.acLine = 1;
    return status;
}

std::string firmwareField(const std::string& raw)
{
    const std::string value = trimmed(raw);
    for (const char* placeholder : kFirmwarePlaceholders)
        if (value == placeholder)
            return {};
    return value;
}

int windowsVersionIdentifier(unsigned major, unsigned minor)
{
    if (major >= 10)
        return 0xC0;
    for (const WindowsVersion& entry : kWindowsVersions)
        if (entry.major == major && entry.minor == minor)
            return entry.identifier;
    // A 6.x newer than 8.1 is reported as the newest identifier, as Qt does.
    return major == 6 && minor > 3 ? 0xC0 : 0;
}

std::string windowsVersionName(int identifier)
{
    for (const WindowsName& entry : kWindowsNames)
        if (entry.identifier == identifier)
            return entry.name;
    return "Unknown Windows Version (" + std::to_string(identifier) + ")";
}

std::string prettyNameFromOsRelease(const std::string& content)
{
    std::string pretty, name, version;
    std::size_t start = 0;
    while (start <= content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        const std::string line = content.substr(start, end - start);
        start = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0 || trimmed(line).rfind('#', 0) == 0)
            continue;
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = unquote(trimmed(line.substr(equals + 1)));
        if (key == "PRETTY_NAME")
            pretty = value;
        else if (key == "NAME")
            name = value;
        else if (key == "VERSION")
            version = value;
    }
    if (!pretty.empty())
        return pretty;
    return trimmed(name + ' ' + version);
}

}  // namespace tavix::platform::convert
