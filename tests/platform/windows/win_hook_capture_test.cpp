// The low-level hook capture against real input: SendInput events aimed at a
// window of the test's own reach the source in order, with their codes and
// positions, and still reach the window.
#include <gtest/gtest.h>

#include <windows.h>
#include <windowsx.h>

#include <chrono>
#include <mutex>
#include <vector>

#include "injected_input.h"
#include "test_window.h"
#include "windows/win_hook_capture.h"

namespace tavix::platform::windows {
namespace {

using namespace test;

std::int64_t wallClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// What a source delivered, for the test thread to look at.
class Collected {
public:
    CaptureSource::Deliver sink()
    {
        return [this](const CaptureEvent& event) {
            std::lock_guard<std::mutex> guard(lock_);
            events_.push_back(event);
            threads_.push_back(GetCurrentThreadId());
        };
    }
    std::vector<CaptureEvent> events() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return events_;
    }
    std::vector<DWORD> threads() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return threads_;
    }
    std::size_t count() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return events_.size();
    }

private:
    mutable std::mutex lock_;
    std::vector<CaptureEvent> events_;
    std::vector<DWORD> threads_;
};

constexpr int kTargetX = 150, kTargetY = 270;

class HookCaptureTest : public ::testing::Test {
protected:
    // One window for the suite: without a window manager, Wine's DestroyWindow
    // waits two seconds for one; the window goes with the process.
    static void SetUpTestSuite() { target_ = new TestWindow({100, 200, 400, 400}); }

    void SetUp() override
    {
        ASSERT_TRUE(target_->handle()) << "cannot create the target window";
        target_->clearMessages();
        // Away from the target, so that the move to it is a move.
        SetCursorPos(kTargetX + 200, kTargetY + 200);
    }

    static bool saw(UINT message) { return !target_->messagesOf({message}).empty(); }

    static TestWindow* target_;
};

TestWindow* HookCaptureTest::target_ = nullptr;

TEST_F(HookCaptureTest, PointerEventsArriveInOrderWithButtonsPositionsAndWheel)
{
    HookCapture capture;
    Collected collected;
    std::string error;
    // Read before the start: the source pairs the hooks' millisecond ticks
    // with the wall clock at its start, so an event in the same tick may be
    // stamped up to a millisecond before a reading taken after it.
    const std::int64_t before = wallClockMs();
    ASSERT_TRUE(capture.start(collected.sink(), &error)) << error;
    ASSERT_EQ(send({moveTo(kTargetX, kTargetY), mouseInput(MOUSEEVENTF_LEFTDOWN),
                    mouseInput(MOUSEEVENTF_LEFTUP), mouseInput(MOUSEEVENTF_RIGHTDOWN),
                    mouseInput(MOUSEEVENTF_RIGHTUP), mouseInput(MOUSEEVENTF_MIDDLEDOWN),
                    mouseInput(MOUSEEVENTF_MIDDLEUP), mouseInput(MOUSEEVENTF_WHEEL, 0, 0, 120),
                    mouseInput(MOUSEEVENTF_WHEEL, 0, 0, DWORD(-240)),
                    // Extra buttons and the horizontal wheel are not recorded.
                    mouseInput(MOUSEEVENTF_XDOWN, 0, 0, XBUTTON1),
                    mouseInput(MOUSEEVENTF_XUP, 0, 0, XBUTTON1),
                    mouseInput(MOUSEEVENTF_HWHEEL, 0, 0, 120), mouseInput(MOUSEEVENTF_LEFTDOWN),
                    mouseInput(MOUSEEVENTF_LEFTUP)}),
              14u);
    // The last click reaching the window shows that every event went through the hooks.
    ASSERT_TRUE(pumpUntil([&] { return collected.count() >= 11 && saw(WM_LBUTTONUP); }))
        << collected.count() << " events captured";
    capture.stop();
    const std::int64_t after = wallClockMs();

    struct Expected {
        CaptureEvent::Kind kind;
        CaptureEvent::Button button;
        int wheelDelta;
    };
    const Expected expected[] = {
        {CaptureEvent::Motion, CaptureEvent::NoButton, 0},
        {CaptureEvent::ButtonDown, CaptureEvent::Left, 0},
        {CaptureEvent::ButtonUp, CaptureEvent::Left, 0},
        {CaptureEvent::ButtonDown, CaptureEvent::Right, 0},
        {CaptureEvent::ButtonUp, CaptureEvent::Right, 0},
        {CaptureEvent::ButtonDown, CaptureEvent::Middle, 0},
        {CaptureEvent::ButtonUp, CaptureEvent::Middle, 0},
        {CaptureEvent::Wheel, CaptureEvent::NoButton, 120},
        {CaptureEvent::Wheel, CaptureEvent::NoButton, -240},
        {CaptureEvent::ButtonDown, CaptureEvent::Left, 0},
        {CaptureEvent::ButtonUp, CaptureEvent::Left, 0},
    };
    const std::vector<CaptureEvent> events = collected.events();
    ASSERT_EQ(events.size(), std::size(expected));
    std::int64_t previous = before;
    for (std::size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].kind, expected[i].kind);
        EXPECT_EQ(events[i].button, expected[i].button);
        EXPECT_EQ(events[i].wheelDelta, expected[i].wheelDelta);
        EXPECT_EQ(events[i].x, kTargetX);
        EXPECT_EQ(events[i].y, kTargetY);
        EXPECT_GE(events[i].timeMs, previous);
        EXPECT_LE(events[i].timeMs, after);
        EXPECT_GT(events[i].receivedNs, 0);
        previous = events[i].timeMs;
    }
    // Delivered on one thread: the source's own, not the test's.
    for (DWORD thread : collected.threads())
        EXPECT_EQ(thread, collected.threads().front());
    EXPECT_NE(collected.threads().front(), GetCurrentThreadId());

    // The hooks passed the click on unchanged, at the window's own coordinates.
    const std::vector<WindowMessage> downs = target_->messagesOf({WM_LBUTTONDOWN});
    ASSERT_FALSE(downs.empty());
    EXPECT_EQ(downs.front().client.x, kTargetX - 100);
    EXPECT_EQ(downs.front().client.y, kTargetY - 200);
    const std::vector<WindowMessage> wheels = target_->messagesOf({WM_MOUSEWHEEL});
    ASSERT_EQ(wheels.size(), 2u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].wParam), 120);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[1].wParam), -240);
    EXPECT_EQ(wheels[0].client.x, kTargetX - 100);
}

TEST_F(HookCaptureTest, KeysArriveWithVirtualCodesEveryPressAndAltCombinations)
{
    HookCapture capture;
    Collected collected;
    std::string error;
    ASSERT_TRUE(capture.start(collected.sink(), &error)) << error;
    // A held key repeats its press; the source reports each one.
    ASSERT_EQ(send({keyInput('A', true), keyInput('A', true), keyInput('A', false),
                    keyInput(VK_MENU, true), keyInput('Q', true), keyInput('Q', false),
                    keyInput(VK_MENU, false), keyInput(VK_F5, true), keyInput(VK_F5, false)}),
              9u);
    ASSERT_TRUE(pumpUntil([&] { return collected.count() >= 9; })) << collected.count();
    capture.stop();

    struct Expected {
        CaptureEvent::Kind kind;
        std::uint8_t key;
    };
    const Expected expected[] = {
        {CaptureEvent::KeyDown, 'A'},   {CaptureEvent::KeyDown, 'A'},
        {CaptureEvent::KeyUp, 'A'},     {CaptureEvent::KeyDown, VK_MENU},
        {CaptureEvent::KeyDown, 'Q'},   {CaptureEvent::KeyUp, 'Q'},
        {CaptureEvent::KeyUp, VK_MENU}, {CaptureEvent::KeyDown, VK_F5},
        {CaptureEvent::KeyUp, VK_F5},
    };
    const std::vector<CaptureEvent> events = collected.events();
    ASSERT_EQ(events.size(), std::size(expected));
    for (std::size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].kind, expected[i].kind);
        // Windows reports the Alt key by its side; either is the Alt key.
        if (expected[i].key == VK_MENU)
            EXPECT_TRUE(events[i].virtualKey == VK_MENU || events[i].virtualKey == VK_LMENU)
                << int(events[i].virtualKey);
        else
            EXPECT_EQ(events[i].virtualKey, expected[i].key);
    }
    // Alt+Q reached the window as a system key.
    EXPECT_TRUE(pumpUntil([&] { return saw(WM_SYSKEYDOWN); }));
}

TEST_F(HookCaptureTest, StopDeliversEverythingSentBeforeItAndNothingAfter)
{
    HookCapture capture;
    Collected collected;
    std::string error;
    ASSERT_TRUE(capture.start(collected.sink(), &error)) << error;
    std::vector<INPUT> moves;
    for (int i = 0; i < 20; ++i)
        moves.push_back(moveTo(kTargetX + i, kTargetY));
    ASSERT_EQ(send(moves), 20u);
    capture.stop();  // at once: the hook calls may still be waiting for the source's thread

    const std::vector<CaptureEvent> events = collected.events();
    ASSERT_EQ(events.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(events[i].kind, CaptureEvent::Motion);
        EXPECT_EQ(events[i].x, kTargetX + i);
    }
    // After stop, input flows past without a hook.
    ASSERT_EQ(send({mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)}), 2u);
    ASSERT_TRUE(pumpUntil([&] { return saw(WM_LBUTTONUP); }));
    EXPECT_EQ(collected.count(), 20u);
    capture.stop();  // a second stop is harmless
}

TEST_F(HookCaptureTest, TwoSourcesBothSeeEachEventAndASourceStartsAgain)
{
    HookCapture first, second;
    Collected one, two;
    std::string error;
    second.stop();  // harmless before any start
    ASSERT_TRUE(first.start(one.sink(), &error)) << error;
    ASSERT_TRUE(second.start(two.sink(), &error)) << error;
    ASSERT_EQ(send({keyInput(VK_SHIFT, true), keyInput(VK_SHIFT, false)}), 2u);
    // Each hook hands the event on, so the other source sees it too.
    ASSERT_TRUE(pumpUntil([&] { return one.count() >= 2 && two.count() >= 2; }))
        << one.count() << " and " << two.count();
    first.stop();
    second.stop();

    Collected again;
    ASSERT_TRUE(first.start(again.sink(), &error)) << error;
    ASSERT_EQ(send({keyInput(VK_CONTROL, true), keyInput(VK_CONTROL, false)}), 2u);
    ASSERT_TRUE(pumpUntil([&] { return again.count() >= 2; }));
    first.stop();
    const std::vector<CaptureEvent> events = again.events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, CaptureEvent::KeyDown);
    EXPECT_TRUE(events[0].virtualKey == VK_CONTROL || events[0].virtualKey == VK_LCONTROL);
    EXPECT_EQ(one.count(), 2u);  // the stopped source heard nothing more
}

TEST(HookCaptureFactory, TheDesktopSourceIsTheHookCapture)
{
    std::unique_ptr<CaptureSource> source = createCaptureSource();
    ASSERT_TRUE(source);
    EXPECT_TRUE(dynamic_cast<HookCapture*>(source.get()));
}

}  // namespace
}  // namespace tavix::platform::windows
