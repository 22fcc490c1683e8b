// The low-level hooks' messages as capture events, and their tick counts as
// wall-clock times: plain tables, run on every system.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "common/hook_messages.h"

namespace tavix::platform::hook {
namespace {

struct MouseCase {
    unsigned message;
    std::uint32_t mouseData;
    std::optional<CaptureEvent::Kind> kind;  // nothing: no event
    CaptureEvent::Button button;
    int wheelDelta;
};

TEST(HookMessages, MouseMessagesTable)
{
    const MouseCase cases[] = {
        {0x0200, 0, CaptureEvent::Motion, CaptureEvent::NoButton, 0},
        {0x0201, 0, CaptureEvent::ButtonDown, CaptureEvent::Left, 0},
        {0x0202, 0, CaptureEvent::ButtonUp, CaptureEvent::Left, 0},
        {0x0204, 0, CaptureEvent::ButtonDown, CaptureEvent::Right, 0},
        {0x0205, 0, CaptureEvent::ButtonUp, CaptureEvent::Right, 0},
        {0x0207, 0, CaptureEvent::ButtonDown, CaptureEvent::Middle, 0},
        {0x0208, 0, CaptureEvent::ButtonUp, CaptureEvent::Middle, 0},
        // The wheel delta is the signed high word; the low word is ignored.
        {0x020A, 0x00780000u, CaptureEvent::Wheel, CaptureEvent::NoButton, 120},
        {0x020A, 0xFF880000u, CaptureEvent::Wheel, CaptureEvent::NoButton, -120},
        {0x020A, 0xFD300000u, CaptureEvent::Wheel, CaptureEvent::NoButton, -720},
        {0x020A, 0x0001FFFFu, CaptureEvent::Wheel, CaptureEvent::NoButton, 1},
        {0x020A, 0x80000000u, CaptureEvent::Wheel, CaptureEvent::NoButton, -32768},
        // Double clicks, extra buttons, the horizontal wheel and key messages give nothing.
        {0x0203, 0, std::nullopt, CaptureEvent::NoButton, 0},
        {0x0206, 0, std::nullopt, CaptureEvent::NoButton, 0},
        {0x0209, 0, std::nullopt, CaptureEvent::NoButton, 0},
        {0x020B, 0x00010000u, std::nullopt, CaptureEvent::NoButton, 0},
        {0x020C, 0x00020000u, std::nullopt, CaptureEvent::NoButton, 0},
        {0x020E, 0x00780000u, std::nullopt, CaptureEvent::NoButton, 0},
        {0x0100, 0, std::nullopt, CaptureEvent::NoButton, 0},
        {0, 0, std::nullopt, CaptureEvent::NoButton, 0},
    };
    for (const MouseCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "message 0x" << std::hex << c.message << " data 0x" << c.mouseData);
        MouseData data;
        data.x = -1920;  // a screen left of the primary one
        data.y = 1079;
        data.mouseData = c.mouseData;
        const std::optional<CaptureEvent> event = fromMouse(c.message, data);
        ASSERT_EQ(event.has_value(), c.kind.has_value());
        if (!event)
            continue;
        EXPECT_EQ(event->kind, *c.kind);
        EXPECT_EQ(event->button, c.button);
        EXPECT_EQ(event->wheelDelta, c.wheelDelta);
        EXPECT_EQ(event->x, -1920);
        EXPECT_EQ(event->y, 1079);
        EXPECT_EQ(event->virtualKey, 0);
    }
}

struct KeyCase {
    unsigned message;
    std::uint32_t vkCode;
    std::optional<CaptureEvent::Kind> kind;
};

TEST(HookMessages, KeyboardMessagesTable)
{
    const KeyCase cases[] = {
        {0x0100, 0x41, CaptureEvent::KeyDown},  // A
        {0x0101, 0x41, CaptureEvent::KeyUp},
        // Alt combinations come as the system key messages.
        {0x0104, 0x12, CaptureEvent::KeyDown},
        {0x0105, 0x12, CaptureEvent::KeyUp},
        {0x0104, 0x73, CaptureEvent::KeyDown},  // Alt+F4's F4
        {0x0100, 0x01, CaptureEvent::KeyDown},  // lowest code
        {0x0101, 0xFE, CaptureEvent::KeyUp},    // highest code
        {0x0100, 0x00, std::nullopt},
        {0x0100, 0xFF, std::nullopt},
        {0x0100, 0x141, std::nullopt},  // a code that does not fit a byte
        {0x0102, 0x41, std::nullopt},   // WM_CHAR never reaches the hook, nor a record
        {0x0200, 0x41, std::nullopt},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "message 0x" << std::hex << c.message << " vk 0x" << c.vkCode);
        KeyData data;
        data.vkCode = c.vkCode;
        const std::optional<CaptureEvent> event = fromKeyboard(c.message, data);
        ASSERT_EQ(event.has_value(), c.kind.has_value());
        if (!event)
            continue;
        EXPECT_EQ(event->kind, *c.kind);
        EXPECT_EQ(event->virtualKey, c.vkCode);
        EXPECT_EQ(event->button, CaptureEvent::NoButton);
    }
}

TEST(HookMessages, RepeatedKeyDownsAreAllReported)
{
    // Dropping auto-repeat is the recorder's business, as with every source.
    KeyData data;
    data.vkCode = 0x10;
    for (int i = 0; i < 3; ++i) {
        const std::optional<CaptureEvent> event = fromKeyboard(0x0100, data);
        ASSERT_TRUE(event);
        EXPECT_EQ(event->kind, CaptureEvent::KeyDown);
    }
}

struct TickCase {
    std::uint32_t tick;
    std::int64_t received;
    std::int64_t expected;
};

void runTicks(std::uint32_t anchorTick, std::int64_t anchorWall, const std::vector<TickCase>& cases)
{
    TickClock clock;
    clock.anchor(anchorTick, anchorWall);
    for (const TickCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "tick " << c.tick << " received " << c.received);
        EXPECT_EQ(clock.wallTime(c.tick, c.received), c.expected);
    }
}

TEST(HookMessages, TickClockKeepsSpacingWithinBounds)
{
    const std::int64_t wall = 1'700'000'000'000;
    runTicks(5000, wall,
             {
                 {5010, wall + 30, wall + 10},  // the tick's spacing, arriving late
                 {5025, wall + 30, wall + 25},
                 {5100, wall + 60, wall + 60},  // never later than its arrival
                 {5070, wall + 90, wall + 70},
                 {5065, wall + 95, wall + 70},  // never earlier than the time before
             });
    // Ticks from before the anchor and across the count's wrap.
    runTicks(0xFFFFFFF0u, wall,
             {
                 {0xFFFFFFE0u, wall + 5, wall - 16},
                 {0x00000010u, wall + 100, wall + 32},
             });
}

TEST(HookMessages, TickClockAnchorsAtItsFirstTickWhenNotAnchored)
{
    TickClock clock;
    EXPECT_EQ(clock.wallTime(123456, 1000), 1000);
    EXPECT_EQ(clock.wallTime(123466, 2000), 1010);
}

}  // namespace
}  // namespace tavix::platform::hook
