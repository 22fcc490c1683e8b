// Global input capture on the real X server: events injected by another client
// arrive on the GUI thread, in order, with desktop coordinates and virtual keys.
#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <vector>

#include "display.h"
#include "log_capture.h"
#include "capture_session.h"
#include "tavix/platform/scripted_capture.h"
#include "x11_record_capture.h"
#include "xtest_injector.h"

namespace {

using tavix::platform::CaptureEvent;
using tavix::platform::ScriptedCapture;
using tavix::platform::qt::CaptureSession;
using tavix::test::XTestInjector;

struct Collected {
    std::vector<CaptureEvent> events;
    CaptureSession session{[this](const CaptureEvent& e) { events.push_back(e); }};
};

CaptureEvent motion(int x, int y)
{
    CaptureEvent e;
    e.kind = CaptureEvent::Motion;
    e.x = x;
    e.y = y;
    return e;
}

class DesktopCapture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        ASSERT_TRUE(injector.ok());
        QString error;
        ASSERT_TRUE(collected.session.start(tavix::platform::createCaptureSource(), &error))
            << error.toStdString();
    }

    XTestInjector injector;
    Collected collected;
};

TEST_F(DesktopCapture, PointerButtonsWheelAndKeysArriveInOrder)
{
    injector.move(100, 200);
    injector.move(101, 203);
    injector.button(1, true);
    injector.move(300, 400);  // a drag
    injector.button(1, false);
    injector.click(3);
    injector.click(2);
    injector.click(4);
    injector.click(5);
    injector.click(6);  // horizontal wheel: no event
    injector.key(XK_Shift_L, true);
    injector.tap(XK_a);
    injector.key(XK_Shift_L, false);
    injector.tap(XK_7);
    injector.key(XK_Alt_L, true);
    injector.tap(XK_F4);
    injector.key(XK_Alt_L, false);
    injector.key(XK_Control_L, true);
    injector.tap(XK_c);
    injector.key(XK_Control_L, false);
    injector.sync();
    collected.session.stop();  // hands over every event captured before it

    using K = CaptureEvent;
    struct Expected {
        K::Kind kind;
        int x, y, button, wheel, vk;
    };
    const Expected expected[] = {
        {K::Motion, 100, 200, 0, 0, 0},     {K::Motion, 101, 203, 0, 0, 0},
        {K::ButtonDown, 101, 203, 1, 0, 0}, {K::Motion, 300, 400, 0, 0, 0},
        {K::ButtonUp, 300, 400, 1, 0, 0},   {K::ButtonDown, 300, 400, 2, 0, 0},
        {K::ButtonUp, 300, 400, 2, 0, 0},   {K::ButtonDown, 300, 400, 3, 0, 0},
        {K::ButtonUp, 300, 400, 3, 0, 0},   {K::Wheel, 300, 400, 0, 120, 0},
        {K::Wheel, 300, 400, 0, -120, 0},   {K::KeyDown, 300, 400, 0, 0, 0x10},
        {K::KeyDown, 300, 400, 0, 0, 0x41}, {K::KeyUp, 300, 400, 0, 0, 0x41},
        {K::KeyUp, 300, 400, 0, 0, 0x10},   {K::KeyDown, 300, 400, 0, 0, 0x37},
        {K::KeyUp, 300, 400, 0, 0, 0x37},   {K::KeyDown, 300, 400, 0, 0, 0x12},
        {K::KeyDown, 300, 400, 0, 0, 0x73}, {K::KeyUp, 300, 400, 0, 0, 0x73},
        {K::KeyUp, 300, 400, 0, 0, 0x12},   {K::KeyDown, 300, 400, 0, 0, 0x11},
        {K::KeyDown, 300, 400, 0, 0, 0x43}, {K::KeyUp, 300, 400, 0, 0, 0x43},
        {K::KeyUp, 300, 400, 0, 0, 0x11},
    };
    const auto& got = collected.events;
    ASSERT_EQ(got.size(), std::size(expected));
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].kind, expected[i].kind);
        const bool pointer = got[i].kind < K::KeyDown;
        if (pointer) {
            EXPECT_EQ(got[i].x, expected[i].x);
            EXPECT_EQ(got[i].y, expected[i].y);
        }
        EXPECT_EQ(int(got[i].button), expected[i].button);
        EXPECT_EQ(got[i].wheelDelta, expected[i].wheel);
        EXPECT_EQ(int(got[i].virtualKey), expected[i].vk);
        if (i > 0) {
            EXPECT_GE(got[i].timeMs, got[i - 1].timeMs);
        }
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    EXPECT_LE(now - got.front().timeMs, 10000) << "times are milliseconds since 1970";
    EXPECT_GE(now, got.back().timeMs);
}

TEST_F(DesktopCapture, NothingIsLostWhileTheGuiThreadIsBusy)
{
    // The GUI thread does not return to its event loop while the burst is
    // injected and recorded: everything must wait in the queue.
    constexpr int kCount = 3000;
    for (int i = 0; i < kCount; ++i)
        injector.move(i % 1000, i / 1000 + 10);
    injector.sync();
    const QDeadlineTimer deadline(10000);
    while (collected.session.pending() < std::size_t(kCount) && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    EXPECT_TRUE(collected.events.empty()) << "delivered outside the GUI thread's event loop";
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return collected.events.size() == std::size_t(kCount); }, 10000))
        << "waited 10000 ms for collected.events.size() == std::size_t(kCount), have "
        << collected.events.size();
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(collected.events[i].x, i % 1000) << i;
        ASSERT_EQ(collected.events[i].y, i / 1000 + 10) << i;
    }
}

TEST_F(DesktopCapture, StopEndsTheCaptureAndARestartCapturesAgain)
{
    injector.move(5, 6);
    injector.sync();
    collected.session.stop();
    ASSERT_EQ(collected.events.size(), 1u);
    injector.move(7, 8);
    injector.sync();
    QCoreApplication::processEvents();
    EXPECT_EQ(collected.events.size(), 1u) << "captured after stop";

    QString error;
    ASSERT_TRUE(collected.session.start(tavix::platform::createCaptureSource(), &error));
    injector.move(9, 10);
    injector.sync();
    collected.session.stop();
    ASSERT_EQ(collected.events.size(), 2u);
    EXPECT_EQ(collected.events[1].x, 9);
}

TEST_F(DesktopCapture, ALayoutSwitchedWhileCapturingIsFollowed)
{
    tavix::test::KeyboardLayoutGuard layout;
    ASSERT_TRUE(layout.saved());
    ASSERT_TRUE(XTestInjector::setLayout("us"));
    XTestInjector us;
    const KeyCode zKey = XKeysymToKeycode(us.display(), XK_z);
    ASSERT_TRUE(XTestInjector::setLayout("de"));  // the same key types y now

    // The new map reaches the capture on a connection of its own, a moment after
    // the switch: the key is pressed until it records as Y, or the deadline passes.
    int lastKey = 0;
    const QDeadlineTimer deadline(10000);
    while (lastKey != 0x59 && !deadline.hasExpired()) {
        XTestFakeKeyEvent(us.display(), zKey, True, CurrentTime);
        XTestFakeKeyEvent(us.display(), zKey, False, CurrentTime);
        us.sync();
        QTest::qWait(20);
        for (const CaptureEvent& e : collected.events)
            if (e.kind == CaptureEvent::KeyDown)
                lastKey = e.virtualKey;
    }
    EXPECT_EQ(lastKey, 0x59);
}

// An X server of the test's own, started with `arguments`; its display name, or
// empty when it did not come up.
class PrivateXvfb {
public:
    explicit PrivateXvfb(const QStringList& arguments)
    {
        process_.start(
            QStringLiteral("Xvfb"),
            QStringList{"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"}
                + arguments);
        if (process_.waitForStarted(5000) && process_.waitForReadyRead(15000))
            name_ = ":" + QString::fromLatin1(process_.readLine()).trimmed();
    }
    ~PrivateXvfb()
    {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    QString name() const { return name_; }

private:
    QProcess process_;
    QString name_;
};

TEST(CaptureFailures, ADisplayWithoutRecordFailsToStartWithAReason)
{
    PrivateXvfb server({"-extension", "RECORD"});
    ASSERT_FALSE(server.name().isEmpty()) << "Xvfb did not start";
    tavix::test::LogCapture log;
    Collected collected;
    QString error;
    EXPECT_FALSE(collected.session.start(
        std::make_unique<tavix::platform::x11::RecordCapture>(server.name().toStdString()),
        &error));
    EXPECT_TRUE(error.contains("RECORD")) << error.toStdString();
    EXPECT_TRUE(log.contains("RECORD")) << log.lines().join('\n').toStdString();
    EXPECT_FALSE(collected.session.isActive());
}

TEST(CaptureFailures, AWaylandSessionOrNoDisplayFailsToStart)
{
    struct Case {
        const char* variable;
        const char* value;
        const char* reason;
    };
    const Case cases[] = {{"WAYLAND_DISPLAY", "wayland-0", "Wayland"}, {"DISPLAY", "", "DISPLAY"}};
    for (const Case& c : cases) {
        const QByteArray saved = qgetenv(c.variable);
        const bool had = qEnvironmentVariableIsSet(c.variable);
        qputenv(c.variable, c.value);
        Collected collected;
        QString error;
        EXPECT_FALSE(collected.session.start(tavix::platform::createCaptureSource(), &error));
        EXPECT_TRUE(error.contains(c.reason)) << error.toStdString();
        if (had)
            qputenv(c.variable, saved);
        else
            qunsetenv(c.variable);
    }
}

TEST(ScriptedCaptureSource, DeliversThroughTheSamePathInOrderAfterABusySpell)
{
    std::vector<CaptureEvent> events;
    for (int i = 0; i < 20000; ++i)
        events.push_back(motion(i, -i));
    auto source = std::make_unique<ScriptedCapture>(events);
    ScriptedCapture* scripted = source.get();
    Collected collected;
    QString error;
    ASSERT_TRUE(collected.session.start(std::move(source), &error));
    scripted->waitUntilDelivered();  // the GUI thread is busy meanwhile
    EXPECT_TRUE(collected.events.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return collected.events.size() == events.size(); }, 10000))
        << "waited 10000 ms for collected.events.size() == events.size(), have "
        << collected.events.size();
    for (std::size_t i = 0; i < events.size(); ++i)
        ASSERT_EQ(collected.events[i].x, int(i));
}

TEST(ScriptedCaptureSource, StopHandsOverWhatWasCapturedAndAFailingSourceStaysIdle)
{
    auto source =
        std::make_unique<ScriptedCapture>(std::vector<CaptureEvent>{motion(1, 2), motion(3, 4)});
    Collected collected;
    QString error;
    ASSERT_TRUE(collected.session.start(std::move(source), &error));
    collected.session.stop();
    ASSERT_EQ(collected.events.size(), 2u);
    EXPECT_EQ(collected.events[1].x, 3);
    EXPECT_GT(collected.events[0].timeMs, 0);

    EXPECT_FALSE(collected.session.start(ScriptedCapture::failing("no input today"), &error));
    EXPECT_EQ(error, QString("no input today"));
    EXPECT_FALSE(collected.session.isActive());
    collected.session.stop();  // harmless
}

}  // namespace
