// The platform readers against file trees made here: DMI, power supplies, os-release.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "linux/sysfs_device.h"

namespace device = tavix::platform::device;

namespace {

using Tree = std::map<std::string, std::string>;

class FakeRoot {
public:
    explicit FakeRoot(const Tree& files)
    {
        for (const auto& [path, content] : files) {
            const QString full = dir.filePath(QString::fromStdString(path));
            QDir().mkpath(QFileInfo(full).path());
            QFile file(full);
            if (file.open(QIODevice::WriteOnly))
                file.write(content.data(), qint64(content.size()));
        }
    }
    std::string path() const { return dir.path().toStdString(); }

private:
    QTemporaryDir dir;
};

TEST(DmiReader, ReadsBoardAndBiosFieldsAndLeavesOutPlaceholders)
{
    const FakeRoot root(Tree{{"class/dmi/id/board_vendor", "Gigabyte Technology Co., Ltd.\n"},
                         {"class/dmi/id/board_name", "B550 AORUS ELITE\n"},
                         {"class/dmi/id/bios_vendor", "American Megatrends International, LLC.\n"},
                         {"class/dmi/id/bios_version", "F15\n"},
                         {"class/dmi/id/product_serial", "To be filled by O.E.M.\n"}});
    const device::Firmware firmware = device::readFirmware(root.path());
    EXPECT_EQ(firmware.boardVendor, "Gigabyte Technology Co., Ltd.");
    EXPECT_EQ(firmware.boardName, "B550 AORUS ELITE");
    EXPECT_EQ(firmware.biosVendor, "American Megatrends International, LLC.");
    EXPECT_EQ(firmware.biosVersion, "F15");
    EXPECT_EQ(firmware.biosSerial, "");

    const FakeRoot bare(Tree{{"class/power_supply/.keep", ""}});
    const device::Firmware none = device::readFirmware(bare.path());
    EXPECT_TRUE(none.boardVendor.empty() && none.boardName.empty() && none.biosVendor.empty()
                && none.biosVersion.empty() && none.biosSerial.empty());
}

TEST(PowerSupplyReader, ReportsChargeAndMainsLikeTheSystemPowerStatus)
{
    struct Case {
        const char* name;
        Tree files;
        int battery;
        int acLine;
    };
    const Case cases[] = {
        {"no supplies", {{"class/power_supply/.keep", ""}}, 255, 255},
        {"no sysfs at all", {{"other", ""}}, 255, 255},
        {"laptop on mains",
         {{"class/power_supply/AC/type", "Mains\n"}, {"class/power_supply/AC/online", "1\n"},
          {"class/power_supply/BAT0/type", "Battery\n"}, {"class/power_supply/BAT0/capacity", "57\n"},
          {"class/power_supply/BAT0/status", "Charging\n"}},
         57, 1},
        {"laptop off mains",
         {{"class/power_supply/ADP1/type", "Mains\n"}, {"class/power_supply/ADP1/online", "0\n"},
          {"class/power_supply/BAT1/type", "Battery\n"}, {"class/power_supply/BAT1/capacity", "12\n"}},
         12, 0},
        {"desktop with a mains supply only",
         {{"class/power_supply/AC/type", "Mains\n"}, {"class/power_supply/AC/online", "1\n"}}, 255, 1},
        {"battery without a mains supply",
         {{"class/power_supply/BAT0/type", "Battery\n"}, {"class/power_supply/BAT0/capacity", "80\n"},
          {"class/power_supply/BAT0/status", "Discharging\n"}},
         80, 0},
        {"two batteries",
         {{"class/power_supply/BAT0/type", "Battery\n"}, {"class/power_supply/BAT0/capacity", "40\n"},
          {"class/power_supply/BAT1/type", "Battery\n"}, {"class/power_supply/BAT1/capacity", "81\n"}},
         60, 255},
        {"a mouse's battery and an empty slot do not count",
         {{"class/power_supply/hidpp_battery_0/type", "Battery\n"},
          {"class/power_supply/hidpp_battery_0/scope", "Device\n"},
          {"class/power_supply/hidpp_battery_0/capacity", "90\n"},
          {"class/power_supply/BAT0/type", "Battery\n"}, {"class/power_supply/BAT0/present", "0\n"},
          {"class/power_supply/BAT0/capacity", "0\n"}},
         255, 255},
        {"USB-C charger online, garbage capacity",
         {{"class/power_supply/ucsi-source-psy-1/type", "USB\n"},
          {"class/power_supply/ucsi-source-psy-1/online", "1\n"},
          {"class/power_supply/BAT0/type", "Battery\n"}, {"class/power_supply/BAT0/capacity", "lots\n"}},
         255, 1},
        {"capacity out of range is clamped",
         {{"class/power_supply/BAT0/type", "Battery\n"}, {"class/power_supply/BAT0/capacity", "140\n"}}, 100, 255},
    };
    for (const Case& c : cases) {
        const FakeRoot root(c.files);
        const device::PowerStatus status = device::readPowerStatus(root.path());
        EXPECT_EQ(status.batteryPercent, c.battery) << c.name;
        EXPECT_EQ(status.acLine, c.acLine) << c.name;
    }
}

TEST(OsRelease, IsReadFromEtcBeforeUsrLib)
{
    const FakeRoot usrOnly(Tree{{"usr/lib/os-release", "PRETTY_NAME=\"From usr/lib\"\n"}});
    EXPECT_EQ(device::osPrettyName(usrOnly.path()), "From usr/lib");
    const FakeRoot both(Tree{{"etc/os-release", "PRETTY_NAME=\"From etc\"\n"}, {"usr/lib/os-release", "PRETTY_NAME=Other\n"}});
    EXPECT_EQ(device::osPrettyName(both.path()), "From etc");
    const FakeRoot none(Tree{{"etc/hostname", "box\n"}});
    EXPECT_EQ(device::osPrettyName(none.path()), "");
}

}  // namespace
