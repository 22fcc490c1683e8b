// The device family's pure functions: the Windows names, the firmware text
// parser and the gamma ramp.
#include <gtest/gtest.h>

#include "services/device/device_texts.h"

namespace devicetext = tavix::devicetext;
using tavix::platform::device::Firmware;

namespace {

TEST(WindowsVersionName, MapsTheTableAndNamesOthersByNumber)
{
    const std::pair<int, const char*> cases[] = {
        {0x20, "Windows 2000"}, {0x30, "Windows XP"},  {0x80, "Windows Vista"},
        {0x90, "Windows 7"},    {0xA0, "Windows 8"},   {0xB0, "Windows 8.1"},
        {0xC0, "Windows 10"},   {0x40, "Unknown Windows Version (64)"},
        {0, "Unknown Windows Version (0)"}, {-1, "Unknown Windows Version (-1)"},
        {0x00C1, "Unknown Windows Version (193)"},
    };
    for (const auto& [identifier, name] : cases)
        EXPECT_EQ(devicetext::windowsVersionName(identifier).toStdString(), name) << identifier;
}

TEST(FirmwareText, BuildsTheTextFromLabelledLinesInTheirOrder)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Manufacturer: A\nName: B\nVersion: C\nSerialNumber: D\n", "A - B vC - SN: D"},
        // wmic prints CR LF, blank lines and a heading.
        {"Heading\r\n\r\nManufacturer:  A \r\nName: B\r\nVersion: C\r\nSerialNumber: D\r\n", "A - B vC - SN: D"},
        {"SerialNumber: D\nManufacturer: A\n", "- SN: DA"},
        {"Manufacturer: A\nVersion: 1.2\n", "A v1.2"},
        {"Name: Board X\n", "- Board X"},
        {"Manufacturer: Name: both labels\n", "Name: both labels"},
        {"Product\nB450M\n", "Unknown"},
        {"", "Unknown"},
        {"\n\n\n", "Unknown"},
    };
    for (const auto& [output, text] : cases)
        EXPECT_EQ(devicetext::firmwareText(QString::fromUtf8(output)).toStdString(), text) << output;
}

TEST(FirmwareText, BoardAndBiosLinesLeaveOutWhatIsUnknown)
{
    Firmware firmware;
    EXPECT_EQ(devicetext::firmwareText(devicetext::boardLines(firmware)), "Unknown");
    EXPECT_EQ(devicetext::firmwareText(devicetext::biosLines(firmware)), "Unknown");
    firmware = {"ASUSTeK COMPUTER INC.", "PRIME B450M-A", "American Megatrends Inc.", "3211", "SN-42"};
    EXPECT_EQ(devicetext::firmwareText(devicetext::boardLines(firmware)), "ASUSTeK COMPUTER INC. - PRIME B450M-A");
    EXPECT_EQ(devicetext::firmwareText(devicetext::biosLines(firmware)), "American Megatrends Inc. v3211 - SN: SN-42");
    firmware.biosSerial.clear();
    EXPECT_EQ(devicetext::firmwareText(devicetext::biosLines(firmware)), "American Megatrends Inc. v3211");
}

TEST(MainsPower, OnlyOneAndTwoMeanMains)
{
    const std::pair<int, bool> cases[] = {{1, true}, {2, true}, {0, false}, {255, false}, {3, false}, {-1, false}};
    for (const auto& [field, mains] : cases)
        EXPECT_EQ(devicetext::onMainsPower(field), mains) << field;
}

TEST(GammaRamp, EntryIsIndexTimesLevelPlus128CappedWithTheLevelsLow16Bits)
{
    struct Case {
        int num;
        std::size_t index;
        int entry;
    };
    const Case cases[] = {
        {128, 0, 0},       {128, 1, 256},     {128, 255, 65280},  // identity
        {64, 1, 192},      {64, 255, 48960},                      // darker
        {0, 255, 32640},   {-128, 1, 65535},  {-128, 0, 0},       // -128 is level 65408
        {-1, 0, 0},        {-1, 1, 65535},    {-1, 255, 65535},   // level 65535 saturates at once
        {65535, 1, 65535}, {65536, 255, 32640},                   // 65536 is level 0
        {383, 255, 65535}, {383, 128, 65408}, {383, 129, 65535},  // brighter, capped
    };
    for (const Case& c : cases)
        EXPECT_EQ(devicetext::gammaRamp(c.num)[c.index], c.entry) << c.num << " at " << c.index;
}

}  // namespace
