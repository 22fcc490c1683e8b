// Device facts from Linux's file systems: DMI and power supplies in sysfs,
// the system's name in os-release. The roots are parameters so that tests can
// hand over trees of their own.
#pragma once

#include <string>

#include "tavix/platform/device.h"

namespace tavix::platform::device {

Firmware readFirmware(const std::string& sysRoot = "/sys");
PowerStatus readPowerStatus(const std::string& sysRoot = "/sys");
// Empty when neither os-release file names the system.
std::string osPrettyName(const std::string& root = "/");

}  // namespace tavix::platform::device
