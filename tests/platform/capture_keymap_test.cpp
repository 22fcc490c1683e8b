// Recorded keys replay as the same key: the inverse of the injection's key map,
// read through the current keyboard layout.
#include <gtest/gtest.h>
#include <memory>

#include "display.h"
#include "linux/x11/x11_keymap.h"
#include "x11_key_translator.h"
#include "xtest_injector.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace {

using tavix::platform::x11::keysymForVirtualKey;
using tavix::platform::x11::KeyTranslator;
using tavix::platform::x11::virtualKeyForKeysym;
using tavix::test::XTestInjector;

TEST(InverseKeymap, EveryInjectedKeysymComesBackAsAVirtualKeyThatInjectsIt)
{
    for (int vk = 1; vk < 256; ++vk) {
        const unsigned long keysym = keysymForVirtualKey(std::uint8_t(vk));
        if (keysym == 0)
            continue;
        const std::uint8_t back = virtualKeyForKeysym(keysym);
        ASSERT_NE(back, 0) << std::hex << vk;
        EXPECT_EQ(keysymForVirtualKey(back), keysym) << std::hex << vk;
    }
    struct Case {
        unsigned long keysym;
        int vk;
    };
    // Where several codes inject one keysym, the generic code is recorded.
    const Case cases[] = {{XK_Shift_L, 0x10},   {XK_Shift_R, 0xA1}, {XK_Control_L, 0x11},
                          {XK_Control_R, 0xA3}, {XK_Alt_L, 0x12},   {XK_Alt_R, 0xA5},
                          {XK_Print, 0x2C},     {XK_a, 0x41},       {XK_KP_5, 0x65},
                          {XK_udiaeresis, 0},   {XK_A, 0},          {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(virtualKeyForKeysym(c.keysym), c.vk) << std::hex << c.keysym;
}

class LayoutKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        layout = std::make_unique<tavix::test::KeyboardLayoutGuard>();
        ASSERT_TRUE(layout->saved());
    }

    std::unique_ptr<tavix::test::KeyboardLayoutGuard> layout;

    // Every key that records as a virtual key is the key that virtual key injects on.
    static void expectEveryKeyReplaysOnItself(Display* display, const KeyTranslator& keys)
    {
        int minCode = 0, maxCode = 0, translated = 0;
        XDisplayKeycodes(display, &minCode, &maxCode);
        for (int code = minCode; code <= maxCode; ++code) {
            const std::uint8_t vk = keys.virtualKey(code, 0);
            if (vk == 0)
                continue;
            ++translated;
            EXPECT_EQ(XKeysymToKeycode(display, keysymForVirtualKey(vk)), code)
                << "key code " << code << " records as " << std::hex << int(vk);
        }
        EXPECT_GT(translated, 60);
    }
};

TEST_F(LayoutKeys, UsLayout)
{
    ASSERT_TRUE(XTestInjector::setLayout("us"));
    XTestInjector x;
    KeyTranslator keys;
    keys.load(x.display());
    expectEveryKeyReplaysOnItself(x.display(), keys);
    const auto vkOf = [&](unsigned long keysym) {
        return int(keys.virtualKey(XKeysymToKeycode(x.display(), keysym), 0));
    };
    EXPECT_EQ(vkOf(XK_z), 0x5A);
    EXPECT_EQ(vkOf(XK_1), 0x31);
    EXPECT_EQ(vkOf(XK_semicolon), 0xBA);
    EXPECT_EQ(vkOf(XK_Return), 0x0D);
    EXPECT_EQ(vkOf(XK_F12), 0x7B);
    EXPECT_EQ(keys.virtualKey(300, 0), 0) << "outside the key code range";
}

TEST_F(LayoutKeys, GermanLayoutRecordsWhatItsKeysType)
{
    ASSERT_TRUE(XTestInjector::setLayout("us"));
    XTestInjector before;
    const int usZKey = XKeysymToKeycode(before.display(), XK_z);
    const int usYKey = XKeysymToKeycode(before.display(), XK_y);
    ASSERT_TRUE(XTestInjector::setLayout("de"));
    XTestInjector x;  // a fresh connection reads the new layout
    KeyTranslator keys;
    keys.load(x.display());
    expectEveryKeyReplaysOnItself(x.display(), keys);
    // Y and Z trade places; the ß key has a backslash on its third level, which
    // the injection finds on that key again; ü has nothing the injection knows.
    EXPECT_EQ(keys.virtualKey(usZKey, 0), 0x59);
    EXPECT_EQ(keys.virtualKey(usYKey, 0), 0x5A);
    EXPECT_EQ(keys.virtualKey(XKeysymToKeycode(x.display(), XK_ssharp), 0), 0xDC);
    EXPECT_EQ(keys.virtualKey(XKeysymToKeycode(x.display(), XK_udiaeresis), 0), 0);
    EXPECT_EQ(keys.virtualKey(XKeysymToKeycode(x.display(), XK_minus), 0), 0xBD);
}

}  // namespace
