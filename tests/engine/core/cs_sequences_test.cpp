// The exact injection calls of the cs family, taken by the recording backend.
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

#include "core/desktop.h"
#include "log_capture.h"
#include "core/mouse_acts.h"
#include "recording_scope.h"
#include "tavix.h"

using tavix::test::LogCapture;
using tavix::test::RecordingScope;
using Lines = std::vector<std::string>;

namespace {

constexpr std::uintptr_t kExtraInfo = 0x5A5A;

std::string cursor(int x, int y)
{
    return "SetCursorPos(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

std::string mouse(const char* flags, long long x, long long y, long long extra = 0)
{
    return std::string("mouse_event(") + flags + "," + std::to_string(x) + "," + std::to_string(y)
        + ",0," + std::to_string(extra) + ")";
}

QSize screenSize()
{
    return tavix::core::primaryScreenGeometry().size();
}

long long nx(int x)
{
    return tavix::core::normalisedCoordinate(x, screenSize().width());
}

long long ny(int y)
{
    return tavix::core::normalisedCoordinate(y, screenSize().height());
}

struct MouseCase {
    const char* name;
    std::function<void()> call;
    std::function<Lines()> expected;
};

class MouseSequences : public ::testing::TestWithParam<MouseCase> {};

TEST_P(MouseSequences, InjectExactlyTheActionsEvents)
{
    RecordingScope recording(kExtraInfo);
    LogCapture log;
    GetParam().call();
    EXPECT_EQ(recording.recorder().lines(), GetParam().expected());
    const QStringList lines = log.lines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QString("desktop_width %1").arg(screenSize().width()));
    EXPECT_EQ(lines[1], QString("desktop_height %1").arg(screenSize().height()));
}

// One case a row: the call and the lines it records.
// clang-format off
const MouseCase kMouseCases[] = {
    {"LeftClick", [] { TX_cs_mouseLeftClick(30, 30); },
     [] { return Lines{cursor(30, 30), mouse("0x8002", 30, 30), mouse("0x8004", 30, 30)}; }},
    {"LeftDoubleClick", [] { TX_cs_mouseLeftDoubleClick(5, 6); },
     [] {
         return Lines{cursor(5, 6), mouse("0x8002", 5, 6), mouse("0x8004", 5, 6),
                      mouse("0x8002", 5, 6), mouse("0x8004", 5, 6)};
     }},
    {"LeftDown", [] { TX_cs_mouseLeftDown(7, 8); },
     [] { return Lines{cursor(7, 8), mouse("0x8002", 7, 8)}; }},
    {"LeftUp", [] { TX_cs_mouseLeftUp(7, 8); },
     [] { return Lines{cursor(7, 8), mouse("0x8004", 7, 8)}; }},
    {"RightClick", [] { TX_cs_mouseRightClick(40, 50); },
     [] { return Lines{cursor(40, 50), mouse("0x8008", 40, 50), mouse("0x8010", 40, 50)}; }},
    {"RightDoubleClick", [] { TX_cs_mouseRightDoubleClick(1, 2); },
     [] {
         return Lines{cursor(1, 2), mouse("0x8008", 1, 2), mouse("0x8010", 1, 2),
                      mouse("0x8008", 1, 2), mouse("0x8010", 1, 2)};
     }},
    {"RightDown", [] { TX_cs_mouseRightDown(3, 4); },
     [] { return Lines{cursor(3, 4), mouse("0x8008", 3, 4)}; }},
    {"RightUp", [] { TX_cs_mouseRightUp(3, 4); },
     [] { return Lines{cursor(3, 4), mouse("0x8010", 3, 4)}; }},
    {"MiddleClick", [] { TX_cs_mouseMiddleClick(9, 10); },
     [] { return Lines{cursor(9, 10), mouse("0x8020", 9, 10), mouse("0x8040", 9, 10)}; }},
    {"MiddleDoubleClick", [] { TX_cs_mouseMiddleDoubleClick(9, 10); },
     [] {
         return Lines{cursor(9, 10), mouse("0x8020", 9, 10), mouse("0x8040", 9, 10),
                      mouse("0x8020", 9, 10), mouse("0x8040", 9, 10)};
     }},
    {"MiddleDown", [] { TX_cs_mouseMiddleDown(11, 12); },
     [] { return Lines{cursor(11, 12), mouse("0x8020", 11, 12)}; }},
    {"MiddleUp", [] { TX_cs_mouseMiddleUp(11, 12); },
     [] { return Lines{cursor(11, 12), mouse("0x8040", 11, 12)}; }},
    {"MoveToCentre", [] { TX_cs_mouseMove(960, 540); },
     [] { return Lines{cursor(960, 540), mouse("0x8001", nx(960), ny(540), kExtraInfo)}; }},
    {"MoveFarOffScreenDoesNotOverflow", [] { TX_cs_mouseMove(40000, 100000); },
     [] { return Lines{cursor(40000, 100000), mouse("0x8001", nx(40000), ny(100000), kExtraInfo)}; }},
    {"MoveNegative", [] { TX_cs_mouseMove(-10, -1); },
     [] { return Lines{cursor(-10, -1), mouse("0x8001", nx(-10), ny(-1), kExtraInfo)}; }},
    {"Drag", [] { TX_cs_mouseDrag(30, 30, 30, 230); },
     [] {
         return Lines{cursor(30, 30), mouse("0x8002", 30, 30),
                      mouse("0x8001", nx(30), ny(230), kExtraInfo), mouse("0x8004", 30, 230)};
     }},
    {"UnknownActionOnlyPlacesTheCursor", [] { tavix::core::mouseAct(70, 80, 0, 0, 99); },
     [] { return Lines{cursor(70, 80)}; }},
    {"ActionZeroOnlyPlacesTheCursor", [] { tavix::core::mouseAct(70, 80, 0, 0, 0); },
     [] { return Lines{cursor(70, 80)}; }},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cs, MouseSequences, ::testing::ValuesIn(kMouseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MouseSequences, DragLogsItsEndPoints)
{
    RecordingScope recording;
    LogCapture log;
    TX_cs_mouseDrag(30, 30, 30, 230);
    EXPECT_EQ(log.lines().value(2), "-- 30 , 30 to 30 , 230");
}

TEST(MouseSequences, CentreOfFullHdScreenIsHalfTheNormalisedRange)
{
    EXPECT_EQ(tavix::core::normalisedCoordinate(960, 1920), 32768);
    EXPECT_EQ(tavix::core::normalisedCoordinate(540, 1080), 32768);
    if (screenSize() != QSize(1920, 1080))
        GTEST_SKIP() << "the primary screen is not 1920 x 1080";
    RecordingScope recording;
    TX_cs_mouseMove(960, 540);
    EXPECT_EQ(recording.recorder().lines().at(1), mouse("0x8001", 32768, 32768));
}

struct Normalised {
    int value, extent;
    std::int32_t expected;
};

TEST(NormalisedCoordinate, RoundsUpIn64BitsAndSaturates)
{
    const Normalised cases[] = {
        {0, 1920, 0},
        {1919, 1920, 65502},
        {30, 1920, 1024},
        {230, 1080, 13957},
        {32768, 1920, 1118482},  // 32768 * 65536 leaves the 32-bit range
        {-10, 1920, -341},       // up, toward zero
        {std::numeric_limits<int>::max(), 1, std::numeric_limits<std::int32_t>::max()},
        {std::numeric_limits<int>::min(), 1, std::numeric_limits<std::int32_t>::min()},
        {100, 0, 0},  // no screen
    };
    for (const Normalised& c : cases)
        EXPECT_EQ(tavix::core::normalisedCoordinate(c.value, c.extent), c.expected)
            << c.value << " over " << c.extent;
}

struct KeyCase {
    const char* name;
    std::function<void()> call;
    Lines expected;
};

class KeySequences : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeySequences, InjectExactlyTheseKeyEvents)
{
    RecordingScope recording;
    GetParam().call();
    EXPECT_EQ(recording.recorder().lines(), GetParam().expected);
}

const KeyCase kKeyCases[] = {
    {"PressIsExtendedDownThenPlainUp", [] { TX_cs_keyPress(0x45); },
     {"keybd_event(0x45,0x00,0x1,0)", "keybd_event(0x45,0x00,0x2,0)"}},
    {"PressUsesTheLowByteOnly", [] { TX_cs_keyPress(0x145); },
     {"keybd_event(0x45,0x00,0x1,0)", "keybd_event(0x45,0x00,0x2,0)"}},
    {"NegativeCodeUsesTheLowByte", [] { TX_cs_keyDown(-1); }, {"keybd_event(0xff,0x00,0x1,0)"}},
    {"Down", [] { TX_cs_keyDown(0x10); }, {"keybd_event(0x10,0x00,0x1,0)"}},
    {"Up", [] { TX_cs_keyUp(0x110); }, {"keybd_event(0x10,0x00,0x2,0)"}},
    {"HomeIsWindowsD", [] { TX_cs_home(); },
     {"keybd_event(0x5b,0x5b,0x0,0)", "keybd_event(0x44,0x20,0x0,0)",
      "keybd_event(0x44,0x20,0x2,0)", "keybd_event(0x5b,0x5b,0x2,0)"}},
};

INSTANTIATE_TEST_SUITE_P(Cs, KeySequences, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
