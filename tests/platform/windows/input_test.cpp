// Input injection of the Windows backend: the engine's mouse_event and
// keybd_event calls as SendInput records, and where the events land, seen
// from the X server (the pointer) and from a window of the test's own (the
// messages it receives).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "tavix/platform/conversions.h"
#include "test_window.h"
#include "windows/win_input.h"
#include "x_side.h"

namespace tavix::platform::windows {
namespace {

using test::pumpUntil;
using test::TestWindow;
using test::WindowMessage;

TEST(InputRecords, MouseEventFieldsPassThroughUnchanged)
{
    struct Case {
        std::uint32_t flags;
        std::int32_t dx, dy;
        std::uint32_t data;
        std::uintptr_t extra;
    };
    const Case cases[] = {
        {mouse::kMove | mouse::kAbsolute, 32768, 32768, 0, 0x1234},
        {mouse::kLeftDown | mouse::kAbsolute, 30, 30, 0,
         0},  // raw pixels: ignored without the move flag
        {mouse::kRightUp | mouse::kAbsolute, -5, 70000, 0, 0},
        {mouse::kMove | mouse::kAbsolute, 65535, 0, 0, ~std::uintptr_t(0)},
        {mouse::kWheel, 0, 0, std::uint32_t(-120), 0},
        {mouse::kMiddleDown | mouse::kMiddleUp, 1, 2, 0, 7},
    };
    for (const Case& c : cases) {
        const INPUT input = mouseInput(c.flags, c.dx, c.dy, c.data, c.extra);
        EXPECT_EQ(input.type, DWORD(INPUT_MOUSE));
        EXPECT_EQ(input.mi.dwFlags, c.flags);
        EXPECT_EQ(input.mi.dx, c.dx);
        EXPECT_EQ(input.mi.dy, c.dy);
        EXPECT_EQ(input.mi.mouseData, c.data);
        EXPECT_EQ(input.mi.time, 0u);
        EXPECT_EQ(input.mi.dwExtraInfo, ULONG_PTR(c.extra));
    }
    // The engine's flag values are mouse_event's, and so SendInput's.
    EXPECT_EQ(mouse::kAbsolute | mouse::kMove, DWORD(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE));
    EXPECT_EQ(mouse::kLeftDown | mouse::kLeftUp, DWORD(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP));
    EXPECT_EQ(mouse::kRightDown | mouse::kRightUp,
              DWORD(MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP));
    EXPECT_EQ(mouse::kMiddleDown | mouse::kMiddleUp,
              DWORD(MOUSEEVENTF_MIDDLEDOWN | MOUSEEVENTF_MIDDLEUP));
    EXPECT_EQ(mouse::kWheel | mouse::kHWheel, DWORD(MOUSEEVENTF_WHEEL | MOUSEEVENTF_HWHEEL));
}

TEST(InputRecords, KeybdEventFieldsPassThroughWithTheKeysOwnExtendedFlag)
{
    struct Case {
        std::uint8_t vk, scan;
        std::uint32_t flags;
        std::uintptr_t extra;
        std::uint32_t sent;
    };
    const Case cases[] = {
        {0x45, 0, key::kExtendedKey, 0, 0},  // a key press as the engine sends it
        {0x45, 0, key::kKeyUp, 0, key::kKeyUp},
        {0x5B, 0x5B, 0, 0, key::kExtendedKey},  // Windows+D as the engine shows the desktop
        {0x44, 0x20, key::kKeyUp, 0, key::kKeyUp},
        {0x12, 0, key::kExtendedKey, 0, 0},  // Alt: the left one, down and up alike
        {0x25, 0, key::kKeyUp, 0, key::kExtendedKey | key::kKeyUp},  // an arrow
        {0xFF, 0xFF, key::kExtendedKey | key::kKeyUp, 0xBEEF, key::kKeyUp},
    };
    for (const Case& c : cases) {
        const INPUT input = keyboardInput(c.vk, c.scan, c.flags, c.extra);
        EXPECT_EQ(input.type, DWORD(INPUT_KEYBOARD));
        EXPECT_EQ(input.ki.wVk, c.vk);
        EXPECT_EQ(input.ki.wScan, c.scan);
        EXPECT_EQ(input.ki.dwFlags, c.sent);
        EXPECT_EQ(input.ki.time, 0u);
        EXPECT_EQ(input.ki.dwExtraInfo, ULONG_PTR(c.extra));
    }
    EXPECT_EQ(key::kExtendedKey, DWORD(KEYEVENTF_EXTENDEDKEY));
    EXPECT_EQ(key::kKeyUp, DWORD(KEYEVENTF_KEYUP));
}

// A white window at a known place, in the foreground, and the X side to ask.
class InjectionTest : public ::testing::Test {
protected:
    static constexpr RECT kArea{200, 150, 600, 450};

    void SetUp() override
    {
        if (!test::unixProgramExists("/usr/bin/xdotool"))
            GTEST_SKIP() << "needs Wine and xdotool to ask the X server";
        window_ = std::make_unique<TestWindow>(kArea);
        ASSERT_TRUE(pumpUntil([&] { return window_->painted() && window_->focused(); }))
            << "the test window did not come up in the foreground";
        screenWidth_ = GetSystemMetrics(SM_CXSCREEN);
        screenHeight_ = GetSystemMetrics(SM_CYSCREEN);
        ASSERT_GT(screenWidth_, 0);
        // Wine's server starts with the cursor at 0,0 whatever the X pointer
        // shows, and skips a placement it believes changes nothing: one
        // placement elsewhere brings the two together.
        input_.setCursorPos(7, 7);
        window_->clearMessages();
    }

    // The engine's normalisation of an absolute move.
    std::int32_t normalisedX(int x) const { return convert::toNormalised(x, screenWidth_); }
    std::int32_t normalisedY(int y) const { return convert::toNormalised(y, screenHeight_); }

    void expectPointerAt(int x, int y)
    {
        const auto location = test::xPointerLocation();
        ASSERT_TRUE(location.has_value()) << "xdotool gave no answer";
        EXPECT_EQ(location->x, x);
        EXPECT_EQ(location->y, y);
        POINT cursor;
        ASSERT_TRUE(GetCursorPos(&cursor));
        EXPECT_EQ(cursor.x, x);
        EXPECT_EQ(cursor.y, y);
    }

    std::vector<WindowMessage> waitFor(std::initializer_list<UINT> kinds, std::size_t count)
    {
        pumpUntil([&] { return window_->messagesOf(kinds).size() >= count; });
        return window_->messagesOf(kinds);
    }

    Input input_;
    std::unique_ptr<TestWindow> window_;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
};

TEST_F(InjectionTest, CursorPlacementMovesTheXPointer)
{
    const POINT points[] = {{0, 0}, {123, 456}, {screenWidth_ - 1, screenHeight_ - 1}, {960, 540}};
    for (const POINT& point : points) {
        SCOPED_TRACE(testing::Message() << point.x << "," << point.y);
        input_.setCursorPos(point.x, point.y);
        expectPointerAt(point.x, point.y);
    }
}

TEST_F(InjectionTest, AbsoluteMoveLandsOnThePixelAsked)
{
    // 960,540 and 0,0 normalise exactly; the others only land on their pixel
    // because the engine rounds up where the system truncates.
    const POINT points[] = {
        {960, 540}, {0, 0}, {30, 500}, {401, 299}, {screenWidth_ - 1, screenHeight_ - 1}};
    for (const POINT& point : points) {
        SCOPED_TRACE(testing::Message() << point.x << "," << point.y);
        input_.setCursorPos(5, 5);
        input_.mouseEvent(mouse::kMove | mouse::kAbsolute, normalisedX(point.x),
                          normalisedY(point.y), 0, input_.messageExtraInfo());
        // The system's truncating mapping lands on the very pixel asked for.
        expectPointerAt(point.x, point.y);
    }
    input_.mouseEvent(mouse::kMove | mouse::kAbsolute, 32768, 32768, 0, 0);
    expectPointerAt(screenWidth_ / 2, screenHeight_ / 2);
}

TEST_F(InjectionTest, ButtonsActAtTheCursorAndReachTheWindowUnderIt)
{
    struct Button {
        std::uint32_t down, up;
        UINT downMessage, upMessage;
    };
    const Button buttons[] = {
        {mouse::kLeftDown, mouse::kLeftUp, WM_LBUTTONDOWN, WM_LBUTTONUP},
        {mouse::kRightDown, mouse::kRightUp, WM_RBUTTONDOWN, WM_RBUTTONUP},
        {mouse::kMiddleDown, mouse::kMiddleUp, WM_MBUTTONDOWN, WM_MBUTTONUP},
    };
    int offset = 0;
    for (const Button& button : buttons) {
        SCOPED_TRACE(testing::Message() << "button flags 0x" << std::hex << button.down);
        window_->clearMessages();
        const int x = 260 + offset, y = 210 + offset;
        offset += 37;
        // As the engine clicks: the cursor first, then down and up with the
        // raw pixels, which carry no move flag and so must not move anything.
        input_.setCursorPos(x, y);
        input_.mouseEvent(button.down | mouse::kAbsolute, x, y, 0, 0x7A01);
        input_.mouseEvent(button.up | mouse::kAbsolute, x, y, 0, 0x7A02);
        const auto seen = waitFor({button.downMessage, button.upMessage}, 2);
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].message, button.downMessage);
        EXPECT_EQ(seen[1].message, button.upMessage);
        for (const WindowMessage& message : seen) {
            EXPECT_EQ(message.client.x, x - kArea.left);
            EXPECT_EQ(message.client.y, y - kArea.top);
        }
        EXPECT_EQ(seen[0].extraInfo, 0x7A01u);
        EXPECT_EQ(seen[1].extraInfo, 0x7A02u);
        expectPointerAt(x, y);
    }
}

TEST_F(InjectionTest, DragPressesAtTheStartAndReleasesAtTheEnd)
{
    const POINT from{230, 180}, to{240, 380};
    const POINT end{to.x, to.y};
    input_.setCursorPos(from.x, from.y);
    input_.mouseEvent(mouse::kLeftDown | mouse::kAbsolute, from.x, from.y, 0, 0);
    input_.mouseEvent(mouse::kMove | mouse::kAbsolute, normalisedX(to.x), normalisedY(to.y), 0,
                      input_.messageExtraInfo());
    input_.mouseEvent(mouse::kLeftUp | mouse::kAbsolute, to.x, to.y, 0, 0);

    const auto buttons = waitFor({WM_LBUTTONDOWN, WM_LBUTTONUP}, 2);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(buttons[0].client.x, from.x - kArea.left);
    EXPECT_EQ(buttons[0].client.y, from.y - kArea.top);
    EXPECT_EQ(buttons[1].message, UINT(WM_LBUTTONUP));
    EXPECT_EQ(buttons[1].client.x, end.x - kArea.left);
    EXPECT_EQ(buttons[1].client.y, end.y - kArea.top);

    // The move in between was made with the button held.
    bool heldMove = false;
    for (const WindowMessage& move : window_->messagesOf({WM_MOUSEMOVE}))
        heldMove |= (move.wParam & MK_LBUTTON) && move.client.y == end.y - kArea.top;
    EXPECT_TRUE(heldMove);
    expectPointerAt(end.x, end.y);
}

TEST_F(InjectionTest, KeyPressesReachTheFocusedWindowWithTheirVirtualKeys)
{
    const std::uint8_t keys[] = {0x45 /* E */, 0x31 /* 1 */, VK_RETURN, VK_F5, VK_LEFT, VK_SPACE};
    for (const std::uint8_t vk : keys) {
        // As the engine presses a key: down with the extended flag, up alone.
        input_.keybdEvent(vk, 0, key::kExtendedKey, 0);
        input_.keybdEvent(vk, 0, key::kKeyUp, 0);
    }
    const std::size_t expected = 2 * std::size(keys);
    const auto seen = waitFor({WM_KEYDOWN, WM_KEYUP}, expected);
    ASSERT_EQ(seen.size(), expected);
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << int(keys[i]));
        EXPECT_EQ(seen[2 * i].message, UINT(WM_KEYDOWN));
        EXPECT_EQ(seen[2 * i].wParam, WPARAM(keys[i]));
        EXPECT_EQ(seen[2 * i + 1].message, UINT(WM_KEYUP));
        EXPECT_EQ(seen[2 * i + 1].wParam, WPARAM(keys[i]));
    }
}

TEST_F(InjectionTest, ModifiersPressedAsTheEngineDoesAreReleasedAgain)
{
    for (const std::uint8_t vk :
         {std::uint8_t(VK_SHIFT), std::uint8_t(VK_CONTROL), std::uint8_t(VK_MENU)}) {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << int(vk));
        input_.keybdEvent(vk, 0, key::kExtendedKey, 0);
        ASSERT_TRUE(pumpUntil([vk] { return GetAsyncKeyState(vk) < 0; }, 3000));
        input_.keybdEvent(vk, 0, key::kKeyUp, 0);
        ASSERT_TRUE(pumpUntil([vk] { return GetAsyncKeyState(vk) >= 0; }, 3000));
        EXPECT_GE(GetAsyncKeyState(VK_RSHIFT), 0);
        EXPECT_GE(GetAsyncKeyState(VK_RCONTROL), 0);
        EXPECT_GE(GetAsyncKeyState(VK_RMENU), 0);
    }
}

TEST_F(InjectionTest, KeyHeldDownStaysDownUntilReleased)
{
    // As the engine holds a key: down with the extended flag, later up alone.
    input_.keybdEvent(0x41, 0, key::kExtendedKey, 0x51);
    ASSERT_EQ(waitFor({WM_KEYDOWN}, 1).size(), 1u);
    EXPECT_LT(GetKeyState(0x41), 0);
    EXPECT_EQ(window_->messagesOf({WM_KEYDOWN})[0].extraInfo, 0x51u);
    input_.keybdEvent(0x41, 0, key::kKeyUp, 0);
    ASSERT_EQ(waitFor({WM_KEYUP}, 1).size(), 1u);
    EXPECT_GE(GetKeyState(0x41), 0);
}

}  // namespace
}  // namespace tavix::platform::windows
