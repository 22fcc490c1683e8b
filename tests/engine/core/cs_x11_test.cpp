// Mouse and keyboard injection reaching a real window on the X11 display.
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "display.h"
#include "tavix.h"

namespace {

struct Seen {
    QEvent::Type type;
    Qt::MouseButton button;
    QPoint global;
    Qt::MouseButtons held;

    bool operator==(const Seen& o) const
    {
        return type == o.type && button == o.button && global == o.global && held == o.held;
    }
};

void PrintTo(const Seen& s, std::ostream* os)
{
    *os << "{type " << s.type << ", button " << s.button << ", at " << s.global.x() << ","
        << s.global.y() << ", held " << int(s.held) << "}";
}

// A window that writes down every mouse event it gets, in global coordinates.
class EventLogWindow : public QWidget {
public:
    EventLogWindow()
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setGeometry(kArea);
        setMouseTracking(false);
    }

    static constexpr QRect kArea{200, 200, 600, 400};
    std::vector<Seen> seen;

protected:
    void mousePressEvent(QMouseEvent* e) override { note(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { note(e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { note(e); }
    void mouseMoveEvent(QMouseEvent* e) override { note(e); }

private:
    void note(QMouseEvent* e) { seen.push_back({e->type(), e->button(), e->globalPos(), e->buttons()}); }
};

class CsOnX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Park the pointer outside the window so that no earlier press counts
        // toward a double click.
        TX_cs_mouseMove(5, 5);
        ASSERT_TRUE(QTest::qWaitFor([] { return QCursor::pos() == QPoint(5, 5); }, 5000));
        QTest::qWait(0);
        window.seen.clear();
    }

    // Waits until the window has seen `count` events, then a little longer for
    // anything unexpected to show up.
    std::vector<Seen> waitForEvents(std::size_t count)
    {
        QTest::qWaitFor([&] { return window.seen.size() >= count; }, 5000);
        QTest::qWaitFor([&] { return window.seen.size() > count; }, 200);
        return window.seen;
    }

    EventLogWindow window;
};

constexpr auto Press = QEvent::MouseButtonPress;
constexpr auto Release = QEvent::MouseButtonRelease;
constexpr auto Double = QEvent::MouseButtonDblClick;
constexpr auto Moved = QEvent::MouseMove;
constexpr Qt::MouseButtons None = Qt::NoButton;

struct ClickCase {
    const char* name;
    std::function<void(int, int)> call;
    Qt::MouseButton button;
    bool twice;
};

class Clicks : public CsOnX11, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(Clicks, ArriveAtTheExactGlobalPosition)
{
    const ClickCase& c = GetParam();
    // A spot of its own per case: a press near the last one of the previous
    // case would count toward a double click.
    const QPoint at(230 + 90 * int(c.button), 230 + 40 * int(c.twice));
    c.call(at.x(), at.y());
    std::vector<Seen> expected = {{Press, c.button, at, c.button}, {Release, c.button, at, None}};
    if (c.twice) {
        expected.push_back({Double, c.button, at, c.button});
        expected.push_back({Release, c.button, at, None});
    }
    EXPECT_EQ(waitForEvents(expected.size()), expected);
    EXPECT_EQ(QCursor::pos(), at);
}

const ClickCase kClicks[] = {
    {"Left", TX_cs_mouseLeftClick, Qt::LeftButton, false},
    {"LeftDouble", TX_cs_mouseLeftDoubleClick, Qt::LeftButton, true},
    {"Right", TX_cs_mouseRightClick, Qt::RightButton, false},
    {"RightDouble", TX_cs_mouseRightDoubleClick, Qt::RightButton, true},
    {"Middle", TX_cs_mouseMiddleClick, Qt::MiddleButton, false},
    {"MiddleDouble", TX_cs_mouseMiddleDoubleClick, Qt::MiddleButton, true},
};

INSTANTIATE_TEST_SUITE_P(Cs, Clicks, ::testing::ValuesIn(kClicks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CsOnX11, DownAndUpAreSeparateCalls)
{
    TX_cs_mouseRightDown(250, 260);
    EXPECT_EQ(waitForEvents(1), (std::vector<Seen>{{Press, Qt::RightButton, {250, 260}, Qt::RightButton}}));
    TX_cs_mouseRightUp(250, 260);
    EXPECT_EQ(waitForEvents(2).back(), (Seen{Release, Qt::RightButton, {250, 260}, None}));
}

TEST_F(CsOnX11, MoveLandsOnTheExactPixel)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const int right = screen.width() - 1, bottom = screen.height() - 1;
    for (const QPoint p : {QPoint(0, 0), QPoint(right, bottom), QPoint(right / 2, bottom / 2),
                           QPoint(333, 777), QPoint(1, bottom - 1), QPoint(right - 1, 1)}) {
        TX_cs_mouseMove(p.x(), p.y());
        EXPECT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == p; }, 5000))
            << "wanted " << p.x() << "," << p.y() << " got " << QCursor::pos().x() << ","
            << QCursor::pos().y();
    }
}

TEST_F(CsOnX11, DragPressesMovesAndReleases)
{
    TX_cs_mouseDrag(250, 250, 700, 520);
    const std::vector<Seen> seen = waitForEvents(3);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), (Seen{Press, Qt::LeftButton, {250, 250}, Qt::LeftButton}));
    EXPECT_EQ(seen[1], (Seen{Moved, Qt::NoButton, {700, 520}, Qt::LeftButton}));
    EXPECT_EQ(seen.back(), (Seen{Release, Qt::LeftButton, {700, 520}, None}));
}

TEST_F(CsOnX11, FarOffScreenCoordinatesStayOnTheScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QPoint corner(screen.width() - 1, screen.height() - 1);
    TX_cs_mouseMove(40000, 100000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == corner; }, 5000));
    TX_cs_mouseLeftClick(-50000, -7);
    EXPECT_TRUE(QTest::qWaitFor([] { return QCursor::pos() == QPoint(0, 0); }, 5000));
}

struct Typing {
    const char* name;
    std::vector<std::function<void()>> keys;
    QString expected;
};

class Keys : public ::testing::TestWithParam<Typing> {};

TEST_P(Keys, TypeIntoTheFocusedLineEdit)
{
    TAVIX_REQUIRE_X11();
    QWidget window;
    window.setGeometry(300, 300, 300, 80);
    auto* edit = new QLineEdit(&window);
    (new QVBoxLayout(&window))->addWidget(edit);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }, 5000));

    for (const auto& key : GetParam().keys)
        key();
    EXPECT_TRUE(QTest::qWaitFor([&] { return edit->text() == GetParam().expected; }, 5000))
        << "typed \"" << edit->text().toStdString() << "\"";
}

std::function<void()> press(int code)
{
    return [code] { TX_cs_keyPress(code); };
}

const Typing kTyping[] = {
    {"LetterIsLowerCase", {press(0x45)}, "e"},
    {"LowByteOfTheCode", {press(0x145)}, "e"},
    {"DigitsAndSpace", {press(0x31), press(0x20), press(0x39)}, "1 9"},
    {"OemPunctuation", {press(0xBA), press(0xBB), press(0xBC), press(0xBD), press(0xBE),
                        press(0xBF), press(0xC0), press(0xDB), press(0xDC), press(0xDD), press(0xDE)},
     ";=,-./`[\\]'"},
    {"NumpadOperators", {press(0x6A), press(0x6B), press(0x6D), press(0x6F)}, "*+-/"},
    {"ShiftHeldWithKeyDown",
     {[] { TX_cs_keyDown(0x10); }, press(0x41), [] { TX_cs_keyUp(0x10); }, press(0x41)}, "Aa"},
    {"Backspace", {press(0x41), press(0x42), press(0x08)}, "a"},
};

INSTANTIATE_TEST_SUITE_P(Cs, Keys, ::testing::ValuesIn(kTyping),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
