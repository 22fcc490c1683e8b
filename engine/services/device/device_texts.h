// The device family's texts and tables, as pure functions.
#pragma once

#include <QString>
#include <QStringList>

#include "tavix/platform/device.h"

namespace tavix::devicetext {

// The system's name for Qt's Windows version identifier (QSysInfo::WinVersion).
QString windowsVersionName(int identifier);

// Builds the firmware text from the labelled lines a firmware query prints
// ("Manufacturer: A", "Name: B", "Version: C", "SerialNumber: D" give
// "A - B vC - SN: D"); "Unknown" when no line is labelled.
QString firmwareText(const QString& output);

// The labelled lines for the main board (vendor and name) and for the
// firmware (vendor, version and serial when known).
QString boardLines(const platform::device::Firmware& firmware);
QString biosLines(const platform::device::Firmware& firmware);

// Whether the power status's mains field means mains power (1 on mains, 2 as
// some systems report it; 0 off mains, 255 unknown).
bool onMainsPower(int acLine);

// The gamma ramp of a brightness level: entry i = i x (level + 128), capped at
// 65535, the level being the low 16 bits of `num`.
platform::device::GammaRamp gammaRamp(int num);

}  // namespace tavix::devicetext
