// Facts about the machine and the two settings the engine changes: the
// display's gamma ramp and (read only) the master volume.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tavix::platform::device {

// The firmware's identification (DMI); a field the system does not let us
// read is empty.
struct Firmware {
    QString boardVendor;
    QString boardName;
    QString biosVendor;
    QString biosVersion;
    QString biosSerial;
};
// `sysRoot` is where the system's /sys is (tests pass a tree of their own).
Firmware readFirmware(const QString& sysRoot = QStringLiteral("/sys"));

// The power supply as Windows' system power status reports it.
struct PowerStatus {
    int batteryPercent = 255;  // 0..100, 255 when unknown
    int acLine = 255;          // 1 on mains, 0 off mains, 255 unknown
};
PowerStatus readPowerStatus(const QString& sysRoot = QStringLiteral("/sys"));

// The system's name from os-release (PRETTY_NAME, else NAME and VERSION);
// empty when there is none. `root` is the file system's root.
QString osPrettyName(const QString& root = QStringLiteral("/"));
QString prettyNameFromOsRelease(const QByteArray& content);

// Sets the same 256-entry ramp for red, green and blue on the primary
// display; false when the display offers no gamma or refuses it.
using GammaRamp = std::array<std::uint16_t, 256>;
bool setGammaRamp(const GammaRamp& ramp);
// The primary display's red ramp as the server holds it (any length); empty
// when the display offers no gamma.
std::vector<std::uint16_t> currentGammaRed();

// The default sound card's master playback control: its maximum gain in dB
// and its current setting from 0 to 1. Nothing without a sound card.
struct MasterVolume {
    double maxDb = 0;
    double scalar = 0;
};
std::optional<MasterVolume> masterVolume();

}  // namespace tavix::platform::device
