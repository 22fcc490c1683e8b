// The recorder window: what a user's session turns into, start and stop, the
// frame's close button, a capture that cannot start, and the process-wide
// callbacks that follow the newest recorder.
#include <QDateTime>
#include <QJsonDocument>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QLabel>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "display.h"
#include "global_input_hooks.h"
#include "log_capture.h"
#include "recorder_driver.h"
#include "tavix/platform/scripted_capture.h"

namespace {

using tavix::platform::CaptureEvent;
using tavix::platform::ScriptedCapture;
using tavix::test::XTestInjector;
using vantor::GlobalInputHooks;
using vantor::RpaView;
using vantor::test::button;
using vantor::test::centreOf;
using vantor::test::names;
using vantor::test::Recorder;

struct Expected {
    const char* name;
    int x, y, keycode;  // keycode -1: a mouse record
};

void expectRecords(const QJsonArray& records, const std::vector<Expected>& expected)
{
    ASSERT_EQ(records.size(), int(expected.size()))
        << QJsonDocument(records).toJson().toStdString();
    for (int i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        const QJsonObject r = records.at(i).toObject();
        const Expected& e = expected[std::size_t(i)];
        EXPECT_EQ(r.value("name").toString(), QString(e.name));
        if (e.keycode < 0) {
            EXPECT_EQ(r.value("x").toInt(), e.x);
            EXPECT_EQ(r.value("y").toInt(), e.y);
            EXPECT_FALSE(r.contains("keycode"));
        } else {
            EXPECT_EQ(r.value("keycode").toInt(), e.keycode);
            EXPECT_FALSE(r.contains("x"));
        }
    }
}

class ScopedSource {
public:
    explicit ScopedSource(tavix::platform::CaptureSourceFactory factory)
    {
        tavix::platform::setCaptureSourceFactory(std::move(factory));
    }
    ~ScopedSource() { tavix::platform::setCaptureSourceFactory({}); }
};

class RecorderOnTheDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        ASSERT_TRUE(x.ok());
        ASSERT_TRUE(recorder.show());
    }

    XTestInjector x;
    Recorder recorder;
};

TEST_F(RecorderOnTheDesktop, AUsersSessionBecomesRecordsInOrder)
{
    x.key(XK_b, true);  // held before the start
    x.sync();
    ASSERT_TRUE(recorder.start(x));
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    x.key(XK_b, false);
    x.move(300, 300);
    x.button(1, true);  // a drag
    x.move(350, 380);
    x.button(1, false);
    x.click(3);
    x.click(2);
    x.click(4);
    x.click(5);
    x.key(XK_Shift_L, true);
    x.tap(XK_a);
    x.key(XK_Shift_L, false);
    x.tap(XK_1);
    x.key(XK_Alt_L, true);
    x.tap(XK_x);
    x.key(XK_Alt_L, false);
    x.key(XK_Control_L, true);
    x.tap(XK_c);
    x.key(XK_Control_L, false);
    // A held key that auto-repeats: the server sees the press again and again.
    for (int i = 0; i < 4; ++i)
        x.key(XK_d, true);
    x.key(XK_d, false);
    const QPoint stop = centreOf(button(recorder.view, "btEnd"));
    const QJsonArray records = recorder.stop(x);

    expectRecords(records,
                  {
                      {"keyup", 0, 0, 0x42},
                      {"mousemove", 300, 300, -1},
                      {"lmousedown", 300, 300, -1},
                      {"mousemove", 350, 380, -1},
                      {"lmouseup", 350, 380, -1},
                      {"rmousedown", 350, 380, -1},
                      {"rmouseup", 350, 380, -1},
                      {"mousedown", 350, 380, -1},
                      {"mouseup", 350, 380, -1},
                      {"mousewheel", 120 << 16, 0, -1},
                      {"mousewheel", -(120 << 16), 0, -1},
                      {"keydown", 0, 0, 0x10},
                      {"keydown", 0, 0, 0x41},
                      {"keyup", 0, 0, 0x41},
                      {"keyup", 0, 0, 0x10},
                      {"keydown", 0, 0, 0x31},
                      {"keyup", 0, 0, 0x31},
                      {"keydown", 0, 0, 0x12},
                      {"keydown", 0, 0, 0x58},
                      {"keyup", 0, 0, 0x58},
                      {"keyup", 0, 0, 0x12},
                      {"keydown", 0, 0, 0x11},
                      {"keydown", 0, 0, 0x43},
                      {"keyup", 0, 0, 0x43},
                      {"keyup", 0, 0, 0x11},
                      {"keydown", 0, 0, 0x44},
                      {"keyup", 0, 0, 0x44},
                      // The click on the stop button ends the recording.
                      {"mousemove", stop.x(), stop.y(), -1},
                      {"lmousedown", stop.x(), stop.y(), -1},
                      {"lmouseup", stop.x(), stop.y(), -1},
                  });

    const QRegularExpression stamp("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$");
    qint64 previous = 0;
    for (const QJsonValue& value : records) {
        const QJsonObject r = value.toObject();
        const qint64 time = qint64(r.value("time").toDouble());
        EXPECT_GE(time, previous) << "times never decrease";
        EXPECT_GE(time, started - 1000);
        EXPECT_LE(time, QDateTime::currentMSecsSinceEpoch());
        EXPECT_TRUE(stamp.match(r.value("timeStr").toString()).hasMatch());
        EXPECT_EQ(r.value("timeStr").toString(),
                  QDateTime::fromMSecsSinceEpoch(time).toString("yyyy-MM-dd hh:mm:ss"));
        previous = time;
    }
    EXPECT_EQ(recorder.closed.count(), 1) << "stop closes the window";
    EXPECT_FALSE(recorder.view.isVisible());
    EXPECT_FALSE(GlobalInputHooks::installed());
}

TEST_F(RecorderOnTheDesktop, ASecondRecordingStartsEmpty)
{
    ASSERT_TRUE(recorder.start(x));
    x.move(11, 12);
    x.sync();
    ASSERT_EQ(names(recorder.stop(x)).front(), "mousemove");

    ASSERT_TRUE(recorder.show());
    ASSERT_TRUE(recorder.start(x));
    EXPECT_TRUE(recorder.view.records().isEmpty());
    x.move(13, 14);
    const QJsonArray second = recorder.stop(x);
    ASSERT_FALSE(second.isEmpty());
    EXPECT_EQ(second.at(0).toObject().value("x").toInt(), 13);
    EXPECT_EQ(second.at(0).toObject().value("y").toInt(), 14);
}

TEST_F(RecorderOnTheDesktop, ClosingTheWindowWhileRecordingHandsTheRecordingOver)
{
    ASSERT_TRUE(recorder.start(x));
    x.move(21, 22);
    x.sync();
    recorder.view.close();  // what the frame's close button does
    ASSERT_EQ(recorder.data.count(), 1);
    const QJsonArray records = recorder.data.at(0).at(0).toJsonArray();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records.at(0).toObject().value("x").toInt(), 21);
    EXPECT_EQ(recorder.closed.count(), 1);
    EXPECT_FALSE(recorder.view.isRecording());
    EXPECT_FALSE(GlobalInputHooks::installed()) << "the capture outlived its window";

    x.move(23, 24);
    x.sync();
    QTest::qWait(50);  // give a capture that wrongly survived the chance to deliver
    EXPECT_EQ(recorder.view.records().size(), 1);
}

// Without a display: the hook logic behind the two callbacks, fed by the scripted source.
CaptureEvent event(CaptureEvent::Kind kind, std::int64_t time, int x = 0, int y = 0,
                   CaptureEvent::Button b = CaptureEvent::NoButton, int wheel = 0, int vk = 0)
{
    CaptureEvent e;
    e.kind = kind;
    e.timeMs = time;
    e.x = x;
    e.y = y;
    e.button = b;
    e.wheelDelta = wheel;
    e.virtualKey = std::uint8_t(vk);
    return e;
}

TEST(RecorderHooks, CapturedEventsBecomeRecordsWithTheirOwnTimes)
{
    using K = CaptureEvent;
    const std::int64_t t = 1700000000000;
    ScriptedCapture* scripted = nullptr;
    ScopedSource source([&] {
        auto s = std::make_unique<ScriptedCapture>(std::vector<CaptureEvent>{
            event(K::Motion, t, 5, 6),
            event(K::ButtonDown, t + 1, 5, 6, K::Left),
            event(K::ButtonUp, t + 1, 5, 6, K::Left),
            event(K::ButtonDown, t + 2, 5, 6, K::Right),
            event(K::ButtonUp, t + 3, 5, 6, K::Right),
            event(K::ButtonDown, t + 4, 5, 6, K::Middle),
            event(K::ButtonUp, t + 5, 5, 6, K::Middle),
            event(K::Wheel, t + 6, 5, 6, K::NoButton, 120),
            event(K::Wheel, t + 7, 5, 6, K::NoButton, -240),
            event(K::KeyUp, t + 8, 0, 0, K::NoButton, 0, 0x42),  // pressed before the start
            event(K::KeyDown, t + 9, 0, 0, K::NoButton, 0, 0x41),
            event(K::KeyDown, t + 40, 0, 0, K::NoButton, 0, 0x41),  // auto-repeat
            event(K::KeyDown, t + 70, 0, 0, K::NoButton, 0, 0x41),
            event(K::KeyUp, t + 90, 0, 0, K::NoButton, 0, 0x41),
            event(K::KeyDown, t + 95, 0, 0, K::NoButton, 0, 0x41),  // pressed again
            event(K::KeyUp, t + 99, 0, 0, K::NoButton, 0, 0x41),
        });
        scripted = s.get();
        return s;
    });
    RpaView view;
    QSignalSpy data(&view, &RpaView::lupingData);
    QTest::mouseClick(button(view, "btStart"), Qt::LeftButton);
    ASSERT_TRUE(view.isRecording()) << view.startError().toStdString();
    EXPECT_FALSE(button(view, "btStart")->isEnabled());
    scripted->waitUntilDelivered();
    QTest::mouseClick(button(view, "btEnd"), Qt::LeftButton);
    ASSERT_EQ(data.count(), 1);
    const QJsonArray records = data.at(0).at(0).toJsonArray();
    expectRecords(records,
                  {
                      {"mousemove", 5, 6, -1},
                      {"lmousedown", 5, 6, -1},
                      {"lmouseup", 5, 6, -1},
                      {"rmousedown", 5, 6, -1},
                      {"rmouseup", 5, 6, -1},
                      {"mousedown", 5, 6, -1},
                      {"mouseup", 5, 6, -1},
                      {"mousewheel", 7864320, 0, -1},
                      {"mousewheel", int(0xFF100000u), 0, -1},
                      {"keyup", 0, 0, 0x42},
                      {"keydown", 0, 0, 0x41},
                      {"keyup", 0, 0, 0x41},
                      {"keydown", 0, 0, 0x41},
                      {"keyup", 0, 0, 0x41},
                  });
    const std::int64_t times[] = {0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 90, 95, 99};
    for (int i = 0; i < records.size(); ++i)
        EXPECT_EQ(qint64(records.at(i).toObject().value("time").toDouble()), t + times[i]) << i;
    EXPECT_TRUE(GlobalInputHooks::keysDown().isEmpty());
    EXPECT_TRUE(button(view, "btStart")->isEnabled());
}

TEST(RecorderHooks, TheNewestRecorderReceivesTheEvents)
{
    ScriptedCapture* scripted = nullptr;
    ScopedSource source([&] {
        auto s = std::make_unique<ScriptedCapture>();
        scripted = s.get();
        return s;
    });
    RpaView first;
    QTest::mouseClick(button(first, "btStart"), Qt::LeftButton);
    ASSERT_TRUE(first.isRecording());
    {
        RpaView second;
        scripted->inject({event(CaptureEvent::Motion, 1000, 1, 1)});
        scripted->waitUntilDelivered();
        ASSERT_TRUE(QTest::qWaitFor([&] { return second.records().size() == 1; }, 5000))
            << "waited 5000 ms for second.records().size() == 1, have " << second.records().size();
        EXPECT_TRUE(first.records().isEmpty());
    }
    // The second one is gone: nothing is bound until a newer recorder exists.
    scripted->inject({event(CaptureEvent::Motion, 1001, 2, 2)});
    scripted->waitUntilDelivered();
    QCoreApplication::processEvents();
    EXPECT_TRUE(first.records().isEmpty());
    QTest::mouseClick(button(first, "btEnd"), Qt::LeftButton);
    EXPECT_FALSE(GlobalInputHooks::installed());
}

TEST(RecorderHooks, ACaptureThatCannotStartSaysSoInTheWindowAndTheLog)
{
    ScopedSource source(
        [] { return ScriptedCapture::failing("the X display :7 has no RECORD extension"); });
    tavix::test::LogCapture log;
    RpaView view;
    QSignalSpy data(&view, &RpaView::lupingData);
    QSignalSpy closed(&view, &RpaView::closeView);
    view.show();
    QTest::mouseClick(button(view, "btStart"), Qt::LeftButton);
    EXPECT_FALSE(view.isRecording());
    EXPECT_TRUE(button(view, "btStart")->isEnabled()) << "start can be tried again";
    const QLabel* failure = view.findChild<QLabel*>("startFailure");
    ASSERT_NE(failure, nullptr);
    EXPECT_TRUE(failure->isVisible());
    EXPECT_GE(view.height(), failure->geometry().bottom()) << "the whole reason is on screen";
    const QString shown = failure->text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("无法录制"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains("RECORD")) << shown.toStdString();
    EXPECT_TRUE(
        log.contains("the global input capture cannot start: the X display :7 has no RECORD"))
        << log.lines().join('\n').toStdString();

    // Stop after a start that failed: no empty recording replaces the user's script.
    QTest::mouseClick(button(view, "btEnd"), Qt::LeftButton);
    EXPECT_EQ(data.count(), 0);
    EXPECT_EQ(closed.count(), 1);
}

}  // namespace
