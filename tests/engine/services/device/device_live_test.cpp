// The device family's live answers on this machine, through the exports.
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>
#include <cstring>
#include <string>

#include "core/desktop.h"
#include "display.h"
#include "tavix.h"
#include "tavix/platform/backends.h"
#include "tavix/platform/device.h"

namespace device = tavix::platform::device;

namespace {

TEST(DeviceLive, TextQueriesAlwaysAnswer)
{
    const std::string os = TX_device_baseOS();
    EXPECT_FALSE(os.empty());
    const std::string expected = tavix::platform::deviceBackend().systemName();
    if (!expected.empty()) {
        EXPECT_EQ(os, expected);
    }
    for (const char* text : {TX_device_board(), TX_device_BootLoader()}) {
        ASSERT_NE(text, nullptr);
        EXPECT_FALSE(std::string(text).empty());
        EXPECT_LT(std::strlen(text), 1024u);
    }
    const device::Firmware firmware = tavix::platform::deviceBackend().firmware();
    if (firmware.boardVendor.empty() && firmware.boardName.empty()) {
        EXPECT_STREQ(TX_device_board(), "Unknown");
    }
}

TEST(DeviceLive, PowerAndVolumeGiveTheirRangesOrFallBacks)
{
    const int battery = TX_device_getBattery();
    EXPECT_TRUE((battery >= 0 && battery <= 100) || battery == 255) << battery;
    const device::PowerStatus status = tavix::platform::deviceBackend().powerStatus();
    EXPECT_EQ(TX_device_isCharging(), status.acLine == 1);

    const int volume = TX_device_getMusicMaxVolume();
    if (tavix::platform::deviceBackend().masterVolume()) {
        EXPECT_GE(volume, -200);
    } else {
        EXPECT_EQ(volume, -1) << "no sound card";
    }
}

TEST(DeviceLive, ScreenQueriesFollowQtsScreens)
{
    const QRect primary = tavix::core::primaryScreenGeometry();
    EXPECT_EQ(TX_device_width(), primary.width());
    EXPECT_EQ(TX_device_height(), primary.height());
    EXPECT_EQ(TX_device_isScreenOn(), !QGuiApplication::screens().isEmpty());

    EXPECT_STREQ(TX_device_getBrightness(), "0");
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    QGuiApplication::primaryScreen()->setProperty("brightness", 42);
    EXPECT_STREQ(TX_device_getBrightness(), "42");
    QGuiApplication::primaryScreen()->setProperty("brightness", QVariant());
    EXPECT_STREQ(TX_device_getBrightness(), "0");
}

TEST(DeviceLive, OnX11TheScreenSizeIsTheDisplays)
{
    TAVIX_REQUIRE_X11();
    EXPECT_GT(TX_device_width(), 0);
    EXPECT_GT(TX_device_height(), 0);
    EXPECT_TRUE(TX_device_isScreenOn());
}

TEST(DeviceLive, BrightnessSetsTheGammaRampOrSaysThereIsNone)
{
    TAVIX_REQUIRE_X11();
    const std::vector<std::uint16_t> before = tavix::platform::deviceBackend().currentGammaRed();
    if (before.empty()) {
        EXPECT_FALSE(TX_device_setBrightness(64)) << "the display offers no gamma";
        EXPECT_FALSE(TX_device_setBrightness(128));
        return;
    }
    ASSERT_TRUE(TX_device_setBrightness(64));
    const std::vector<std::uint16_t> dark = tavix::platform::deviceBackend().currentGammaRed();
    ASSERT_EQ(dark.size(), before.size());
    EXPECT_EQ(dark.back(), 48960);
    ASSERT_TRUE(TX_device_setBrightness(-1));
    EXPECT_EQ(tavix::platform::deviceBackend().currentGammaRed().back(), 65535);
    ASSERT_TRUE(TX_device_setBrightness(128));
    EXPECT_EQ(tavix::platform::deviceBackend().currentGammaRed().back(), 65280);
}

TEST(DeviceLive, WithoutADisplayBrightnessIsRefused)
{
    if (tavix::platform::displayReachable())
        GTEST_SKIP() << "a display is reachable (run without DISPLAY to check this)";
    EXPECT_FALSE(TX_device_setBrightness(64));
    EXPECT_TRUE(tavix::platform::deviceBackend().currentGammaRed().empty());
}

}  // namespace
