// The Windows stop key: a hot key that hears combinations sent with SendInput,
// once per press, and that a second grab of the same keys cannot take.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "tavix/platform/global_key.h"
#include "injected_input.h"
#include "test_window.h"

namespace tavix::platform::windows {
namespace {

using namespace test;

const KeyCombination kStopKeys{modifier::kControl | modifier::kAlt | modifier::kShift, 'X'};

std::vector<INPUT> press(std::initializer_list<WORD> modifiers, WORD key, int repeats = 1)
{
    std::vector<INPUT> inputs;
    for (WORD m : modifiers)
        inputs.push_back(keyInput(m, true));
    for (int i = 0; i < repeats; ++i)
        inputs.push_back(keyInput(key, true));
    inputs.push_back(keyInput(key, false));
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m)
        inputs.push_back(keyInput(*m, false));
    return inputs;
}

TEST(WinGlobalKey, FiresOncePerPressOfTheCombinationAutoRepeatIncluded)
{
    std::atomic<int> presses{0};
    std::atomic<DWORD> thread{0};
    std::string error;
    std::unique_ptr<GlobalKeyGrab> grab = GlobalKeyGrab::create(
        kStopKeys,
        [&] {
            thread = GetCurrentThreadId();
            ++presses;
        },
        &error);
    ASSERT_TRUE(grab) << error;

    ASSERT_EQ(send(press({VK_CONTROL, VK_MENU, VK_SHIFT}, 'X')), 8u);
    ASSERT_TRUE(pumpUntil([&] { return presses >= 1; })) << "no press arrived";
    EXPECT_NE(thread.load(), GetCurrentThreadId());

    // The key without all of its modifiers is not the combination; a held
    // combination's repeats are presses. The last, lone press marks the end.
    ASSERT_GT(send(press({VK_CONTROL, VK_SHIFT}, 'X')), 0u);
    ASSERT_GT(send(press({VK_CONTROL, VK_MENU, VK_SHIFT}, 'X', 3)), 0u);
    ASSERT_GT(send(press({VK_CONTROL, VK_MENU, VK_SHIFT}, 'X')), 0u);
    EXPECT_TRUE(pumpUntil([&] { return presses >= 5; }));
    // Whatever else was coming has come by the time a later press does.
    ASSERT_GT(send(press({VK_CONTROL, VK_MENU, VK_SHIFT}, 'X')), 0u);
    ASSERT_TRUE(pumpUntil([&] { return presses >= 6; }));
    EXPECT_EQ(presses.load(), 6);
}

TEST(WinGlobalKey, ASecondGrabOfTheSameKeysFailsWithAReason)
{
    std::string error;
    std::unique_ptr<GlobalKeyGrab> first = GlobalKeyGrab::create(
        kStopKeys, [] {}, &error);
    ASSERT_TRUE(first) << error;

    std::string second;
    EXPECT_FALSE(GlobalKeyGrab::create(
        kStopKeys, [] {}, &second));
    EXPECT_EQ(second, "the key combination is taken by another program");

    // Other modifiers make another combination.
    std::string other;
    EXPECT_TRUE(GlobalKeyGrab::create(
        {modifier::kControl | modifier::kAlt, 'X'}, [] {}, &other))
        << other;

    // Once released, the combination can be grabbed again.
    first.reset();
    std::string again;
    EXPECT_TRUE(GlobalKeyGrab::create(
        kStopKeys, [] {}, &again))
        << again;
}

TEST(WinGlobalKey, AKeyWithoutACodeCannotBeGrabbed)
{
    std::string error;
    EXPECT_FALSE(GlobalKeyGrab::create(
        {modifier::kControl, 0}, [] {}, &error));
    EXPECT_EQ(error, "the key has no virtual-key code");
    EXPECT_FALSE(GlobalKeyGrab::create(
        {modifier::kControl, 0}, [] {}, nullptr));
}

}  // namespace
}  // namespace tavix::platform::windows
