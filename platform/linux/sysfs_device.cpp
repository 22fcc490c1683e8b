// Linux: firmware identification from sysfs DMI, power supplies from the
// power_supply class, the system's name from os-release.
#include "sysfs_device.h"

#include <dirent.h>

#include <algorithm>
#include <vector>

#include "small_file.h"
#include "tavix/platform/conversions.h"

namespace tavix::platform::device {

namespace {

// sysfs attributes are one short line; more than this is not an attribute.
constexpr std::size_t kMaxAttribute = 4096;

std::string attribute(const std::string& path)
{
    return readSmallFile(path, kMaxAttribute);
}

std::string dmi(const std::string& sysRoot, const char* field)
{
    return convert::firmwareField(attribute(sysRoot + "/class/dmi/id/" + field));
}

std::vector<std::string> entriesOf(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

Firmware readFirmware(const std::string& sysRoot)
{
    Firmware firmware;
    firmware.boardVendor = dmi(sysRoot, "board_vendor");
    firmware.boardName = dmi(sysRoot, "board_name");
    firmware.biosVendor = dmi(sysRoot, "bios_vendor");
    firmware.biosVersion = dmi(sysRoot, "bios_version");
    firmware.biosSerial = dmi(sysRoot, "product_serial");
    return firmware;
}

PowerStatus readPowerStatus(const std::string& sysRoot)
{
    const std::string folder = sysRoot + "/class/power_supply/";
    std::vector<convert::PowerSupply> supplies;
    for (const std::string& name : entriesOf(folder)) {
        const std::string base = folder + name + '/';
        supplies.push_back({attribute(base + "type"), attribute(base + "scope"),
                            attribute(base + "present"), attribute(base + "capacity"),
                            attribute(base + "status"), attribute(base + "online")});
    }
    return convert::powerStatusFromSupplies(supplies);
}

std::string osPrettyName(const std::string& root)
{
    for (const char* file : {"etc/os-release", "usr/lib/os-release"}) {
        const std::string name =
            convert::prettyNameFromOsRelease(readSmallFile(root + '/' + file, 64 * 1024));
        if (!name.empty())
            return name;
    }
    return {};
}

}  // namespace tavix::platform::device
