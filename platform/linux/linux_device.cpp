#include "linux_device.h"

#include "sysfs_device.h"
#include "x11/x11_gamma.h"

namespace tavix::platform::device {

Firmware LinuxDevice::firmware()
{
    return readFirmware();
}

PowerStatus LinuxDevice::powerStatus()
{
    return readPowerStatus();
}

std::string LinuxDevice::systemName()
{
    return osPrettyName();
}

bool LinuxDevice::setGammaRamp(const GammaRamp& ramp)
{
    return x11::setGammaRamp(ramp);
}

std::vector<std::uint16_t> LinuxDevice::currentGammaRed()
{
    return x11::currentGammaRed();
}

std::optional<MasterVolume> LinuxDevice::masterVolume()
{
    return alsaMasterVolume();
}

}  // namespace tavix::platform::device
