// The platform layer's pure conversions as tables. Built into the native
// platform tests and into the Windows test programs alike, so that both
// backends rest on the same answers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tavix/platform/conversions.h"
#include "tavix/platform/geometry.h"

namespace convert = tavix::platform::convert;
using tavix::platform::Rect;

namespace {

// The tables are laid out by hand, a case a line or a few to a line.
// clang-format off
TEST(NormalisedCoordinates, FollowTheEngineFormulaAndComeBackExactly)
{
    struct Case {
        int pixel;
        int extent;
        std::int32_t normalised;
    };
    const Case cases[] = {
        {960, 1920, 32768}, {540, 1080, 32768}, {0, 1920, 0},        {1919, 1920, 65502},
        {30, 1920, 1024},   {230, 1080, 13957}, {500, 1080, 30341},  {-1, 1920, -34},
        {1, 3, 21846},      {5, 0, 0},          {5, -7, 0},  // no screen: nothing to be relative to
        {40000, 1920, 1365334},                 // beyond 32767: computed wide, no wrap
        {2147483647, 1, 2147483647},            // clamped to 32 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(convert::toNormalised(c.pixel, c.extent), c.normalised) << c.pixel << "/" << c.extent;

    for (const int extent : {1, 640, 1080, 1366, 1920, 2560, 3840, 7680, 16384})
        for (int x = -extent; x < 2 * extent; ++x) {
            const std::int32_t n = convert::toNormalised(x, extent);
            // The X11 backend rounds back to the nearest pixel ...
            ASSERT_EQ(convert::fromNormalised(n, extent), x) << x << " over " << extent;
            // ... and Windows truncates: both land on the pixel asked for.
            if (x >= 0) {
                ASSERT_EQ(std::int64_t(n) * extent / 65536, x) << x << " over " << extent;
            }
        }
}

TEST(ExtendedKeys, AreTheKeysOfTheNavigationBlockRightModifiersAndWindowsKeys)
{
    const std::uint8_t extended[] = {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2D, 0x2E,
                                     0x5B, 0x5C, 0x5D, 0x6F, 0x90, 0xA3, 0xA5, 0xAD, 0xB3};
    const std::uint8_t plain[] = {0x00, 0x08, 0x0D, 0x10, 0x11, 0x12, 0x1B, 0x20,
                                  0x41, 0x45, 0x5A, 0x60, 0x6A, 0xA0, 0xA2, 0xA4, 0xFF};
    for (const std::uint8_t vk : extended)
        EXPECT_TRUE(convert::isExtendedKey(vk)) << std::hex << int(vk);
    for (const std::uint8_t vk : plain)
        EXPECT_FALSE(convert::isExtendedKey(vk)) << std::hex << int(vk);
}

TEST(PowerStatus, FromWindowsFieldsAndFromLinuxSupplies)
{
    struct SystemCase {
        std::uint8_t acLine, battery;
        int expectedAcLine, expectedBattery;
    };
    const SystemCase fromWindows[] = {
        {1, 57, 1, 57}, {0, 12, 0, 12}, {255, 255, 255, 255},
        {1, 100, 1, 100}, {0, 0, 0, 0},
        {2, 101, 2, 255},  // mains as some systems say it; a battery above 100 is unknown
    };
    for (const SystemCase& c : fromWindows) {
        const auto status = convert::powerStatusFromSystem(c.acLine, c.battery);
        EXPECT_EQ(status.acLine, c.expectedAcLine) << int(c.acLine);
        EXPECT_EQ(status.batteryPercent, c.expectedBattery) << int(c.battery);
    }

    using Supply = convert::PowerSupply;
    struct SupplyCase {
        const char* name;
        std::vector<Supply> supplies;
        int battery, acLine;
    };
    const SupplyCase fromSysfs[] = {
        {"none", {}, 255, 255},
        {"laptop on mains",
         {{"Mains", "", "", "", "", "1"}, {"Battery", "", "", "57\n", "Charging", ""}}, 57, 1},
        {"battery alone, discharging", {{"Battery", "", "", "80", "Discharging", ""}}, 80, 0},
        {"battery alone, full", {{"Battery", "", "", "100", "Full", ""}}, 100, 1},
        {"two batteries average", {{"Battery", "", "", "40", "", ""}, {"Battery", "", "", "81", "", ""}}, 60, 255},
        {"peripheral and empty slot ignored",
         {{"Battery", "Device", "", "90", "", ""}, {"Battery", "", "0", "0", "", ""}}, 255, 255},
        {"USB charger, unreadable capacity", {{"USB", "", "", "", "", "1"}, {"Battery", "", "", "lots", "", ""}}, 255, 1},
        {"capacity above 100", {{"Battery", "", "", "140", "", ""}}, 100, 255},
    };
    for (const SupplyCase& c : fromSysfs) {
        const auto status = convert::powerStatusFromSupplies(c.supplies);
        EXPECT_EQ(status.batteryPercent, c.battery) << c.name;
        EXPECT_EQ(status.acLine, c.acLine) << c.name;
    }
}

TEST(FirmwareTexts, TrimValuesAndDropVendorPlaceholders)
{
    const std::pair<const char*, const char*> cases[] = {
        {"  B550 AORUS ELITE\n", "B550 AORUS ELITE"}, {"F15", "F15"},
        {"To be filled by O.E.M.", ""},              {"To Be Filled By O.E.M.\n", ""},
        {"Default string", ""},                     {" Not Specified ", ""},
        {"System Serial Number", ""},               {"", ""},
        {"\t\n", ""},                               {"Dell Inc.", "Dell Inc."},
    };
    for (const auto& [raw, shown] : cases)
        EXPECT_EQ(convert::firmwareField(raw), shown) << raw;
}

TEST(SystemNames, WindowsVersionsAndOsRelease)
{
    struct Version {
        unsigned major, minor;
        int identifier;
        const char* name;
    };
    const Version versions[] = {
        {5, 0, 0x20, "Windows 2000"},  {5, 1, 0x30, "Windows XP"},   {6, 0, 0x80, "Windows Vista"},
        {6, 1, 0x90, "Windows 7"},     {6, 2, 0xA0, "Windows 8"},    {6, 3, 0xB0, "Windows 8.1"},
        {10, 0, 0xC0, "Windows 10"},   {11, 0, 0xC0, "Windows 10"},  {4, 0, 0, "Unknown Windows Version (0)"},
    };
    for (const Version& v : versions) {
        EXPECT_EQ(convert::windowsVersionIdentifier(v.major, v.minor), v.identifier) << v.major << "." << v.minor;
        EXPECT_EQ(convert::windowsVersionName(v.identifier), v.name);
    }
    EXPECT_EQ(convert::windowsVersionName(0x40), "Unknown Windows Version (64)");

    const std::pair<const char*, const char*> releases[] = {
        {"PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\n", "Debian GNU/Linux 12 (bookworm)"},
        {"NAME=Fedora\nVERSION='39 (Workstation Edition)'\n", "Fedora 39 (Workstation Edition)"},
        {"# comment\nPRETTY_NAME=\"Say \\\"hi\\\" OS\"\n", "Say \"hi\" OS"},
        {"PRETTY_NAME=Plain\r\n", "Plain"},
        {"garbage without equals\n\n=\n", ""},
        {"", ""},
    };
    for (const auto& [content, name] : releases)
        EXPECT_EQ(convert::prettyNameFromOsRelease(content), name) << content;
}

TEST(GrabAreas, ClipToThePrimaryScreen)
{
    struct Case {
        Rect area;
        Rect taken;
    };
    const Case cases[] = {
        {Rect(), {0, 0, 1920, 1080}},                     // the whole screen
        {{60, 70, 100, 50}, {60, 70, 100, 50}},           // inside
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}},         // exactly the screen
        {{-1, 0, 5, 5}, {}},       {{1900, 0, 21, 5}, {}},  // reaching past an edge
        {{0, 1080, 1, 1}, {}},     {{5, 5, 0, 0}, {}},      // below; empty but not the default
        {{5, 5, -3, 4}, {}},
        {{2147483647, 0, 1, 1}, {}},  {{1, 1, 2147483647, 2147483647}, {}},  // no overflow
    };
    for (const Case& c : cases)
        EXPECT_TRUE(tavix::platform::areaOnScreen(c.area, 1920, 1080) == c.taken)
            << c.area.x << "," << c.area.y << " " << c.area.width << "x" << c.area.height;
    EXPECT_TRUE(tavix::platform::areaOnScreen(Rect(), 0, 0).isEmpty());
}

// clang-format on

}  // namespace
