// Round trip: a session recorded from events that another X client injects,
// converted into a script and replayed by vantor-run with the recording input
// backend, injects what was recorded: the same positions, buttons and virtual
// keys, with the recorded pauses. Also on a German keyboard layout.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "display.h"
#include "recorder_driver.h"
#include "recording_script.h"
#include "linux/x11/x11_keymap.h"
#include "tavix/platform/conversions.h"

#include <X11/keysym.h>

namespace {

using tavix::test::XTestInjector;
using vantor::test::Recorder;
using Clock = std::chrono::steady_clock;

struct Line {
    std::string text;
    Clock::time_point at;
};

// The backend's log as a FIFO: each line is stamped when the backend writes it.
class StampedLog {
public:
    explicit StampedLog(const QString& path) : path_(path.toStdString())
    {
        if (mkfifo(path_.c_str(), 0600) != 0)
            return;
        // Read and write: the backend's opens never block, and its closes never end our reads.
        fd_ = open(path_.c_str(), O_RDWR);
        if (fd_ >= 0)
            reader_ = std::thread([this] { read(); });
    }
    ~StampedLog()
    {
        if (reader_.joinable()) {
            const char end[] = "\x04\n";
            if (write(fd_, end, sizeof end - 1) < 0)
                reader_.detach();
            else
                reader_.join();
        }
        if (fd_ >= 0)
            close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    std::vector<Line> lines()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }

private:
    void read()
    {
        std::string pending;
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                return;
            const auto now = Clock::now();
            pending.append(buffer, std::size_t(n));
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                std::string text = pending.substr(0, end);
                pending.erase(0, end + 1);
                if (text == "\x04")
                    return;
                std::lock_guard<std::mutex> lock(mutex_);
                lines_.push_back({text, now});
            }
        }
    }

    std::string path_;
    int fd_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::vector<Line> lines_;
};

// The calls that replaying one record injects, as the recording backend writes them.
std::vector<std::string> expectedCalls(const QJsonObject& record, QSize screen)
{
    struct MouseFlag {
        const char* name;
        int flags;
    };
    static const MouseFlag kFlags[] = {{"lmousedown", 0x8002}, {"lmouseup", 0x8004},
                                       {"rmousedown", 0x8008}, {"rmouseup", 0x8010},
                                       {"mousedown", 0x8020},  {"mouseup", 0x8040}};
    const QString name = record.value("name").toString();
    const int x = record.value("x").toInt(), y = record.value("y").toInt();
    const QString cursor = QString("SetCursorPos(%1,%2)").arg(x).arg(y);
    if (name == "mousemove")
        return {cursor.toStdString(),
                QString("mouse_event(0x8001,%1,%2,0,0)")
                    .arg(tavix::platform::convert::toNormalised(x, screen.width()))
                    .arg(tavix::platform::convert::toNormalised(y, screen.height()))
                    .toStdString()};
    for (const MouseFlag& f : kFlags)
        if (name == f.name)
            return {cursor.toStdString(),
                    QString("mouse_event(0x%1,%2,%3,0,0)")
                        .arg(f.flags, 0, 16)
                        .arg(x)
                        .arg(y)
                        .toStdString()};
    const int vk = record.value("keycode").toInt();
    if (name == "keydown")
        return {QString("keybd_event(0x%1,0x00,0x1,0)").arg(vk, 2, 16, QChar('0')).toStdString()};
    if (name == "keyup")
        return {QString("keybd_event(0x%1,0x00,0x2,0)").arg(vk, 2, 16, QChar('0')).toStdString()};
    return {};  // the wheel replays as nothing
}

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        ASSERT_TRUE(dir.isValid());
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("VANTOR_RUN"));
    }

    // Records what `act` injects; the recording ends with the click on stop.
    QJsonArray record(const std::function<void(XTestInjector&)>& act)
    {
        XTestInjector x;
        Recorder recorder;
        if (!recorder.show() || !recorder.start(x))
            return {};
        act(x);
        x.sync();
        return recorder.stop(x);
    }

    // Replays `records` through vantor-run and checks every injected call and pause.
    void expectReplayMatches(const QJsonArray& records)
    {
        ASSERT_GT(records.size(), 3);
        const QString script = dir.filePath("recording.js");
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(vantor::recordingToScript(records).toUtf8());
        file.close();

        StampedLog log(dir.filePath("input.fifo"));
        ASSERT_TRUE(log.ok());
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TAVIX_INPUT_BACKEND", "recording");
        environment.insert("TAVIX_INPUT_LOG", dir.filePath("input.fifo"));
        run.setProcessEnvironment(environment);
        run.start(qEnvironmentVariable("VANTOR_RUN"), {script});
        ASSERT_TRUE(run.waitForFinished(60000));
        ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

        const QSize screen = QGuiApplication::screens().first()->geometry().size();
        std::vector<std::string> expected;
        std::vector<std::size_t> firstCall;  // index into the calls, per record with calls
        std::vector<qint64> recordedTime;
        for (const QJsonValue& value : records) {
            const auto calls = expectedCalls(value.toObject(), screen);
            if (calls.empty())
                continue;
            firstCall.push_back(expected.size());
            recordedTime.push_back(qint64(value.toObject().value("time").toDouble()));
            expected.insert(expected.end(), calls.begin(), calls.end());
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return log.lines().size() == expected.size(); }, 10000))
            << "waited 10000 ms for log.lines().size() == expected.size(), have "
            << log.lines().size();
        const std::vector<Line> lines = log.lines();
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(lines[i].text, expected[i]) << "call " << i;

        // A pause of the replay is measured from one record's first call to the
        // next one's, as the lines reach this process. It is typically within a
        // few milliseconds of the recorded one; on a loaded machine a single
        // line may reach us late, which lengthens one pause and shortens the next.
        std::vector<double> overruns;
        for (std::size_t r = 1; r < firstCall.size(); ++r) {
            const auto replayed = std::chrono::duration_cast<std::chrono::microseconds>(
                                      lines[firstCall[r]].at - lines[firstCall[r - 1]].at)
                                      .count()
                / 1000.0;
            const double recorded = double(recordedTime[r] - recordedTime[r - 1]);
            EXPECT_GE(replayed, recorded - 20.0) << "record " << r;
            EXPECT_LE(replayed, recorded + 150.0) << "record " << r;
            overruns.push_back(replayed - recorded);
        }
        std::sort(overruns.begin(), overruns.end());
        const double median = overruns[overruns.size() / 2];
        EXPECT_LE(std::abs(median), 5.0) << "the replay's pauses drift from the recorded ones";
        RecordProperty("median_pause_overrun_ms", std::to_string(median));
        RecordProperty("worst_pause_overrun_ms", std::to_string(overruns.back()));
    }

    QTemporaryDir dir;
    tavix::test::KeyboardLayoutGuard layout;
};

// A pause of the user's between two injected events.
void pause(int ms)
{
    QThread::msleep(ms);
}

TEST_F(RoundTrip, MovesClicksWheelAndKeysReplayAsRecorded)
{
    const QJsonArray records = record([](XTestInjector& x) {
        x.move(200, 150);
        pause(60);
        x.move(640, 480);
        pause(30);
        x.click(1);
        pause(45);
        x.button(3, true);
        pause(20);
        x.button(3, false);
        x.click(2);
        pause(25);
        x.click(4);  // recorded, replayed as nothing
        pause(35);
        x.button(1, true);
        x.move(700, 500);
        pause(50);
        x.button(1, false);
        x.key(XK_Shift_L, true);
        x.tap(XK_h);
        x.key(XK_Shift_L, false);
        pause(40);
        x.tap(XK_4);
        x.tap(XK_2);
        x.key(XK_Control_L, true);
        x.tap(XK_s);
        x.key(XK_Control_L, false);
        pause(80);
    });
    ASSERT_GE(records.size(), 25);
    expectReplayMatches(records);
}

TEST_F(RoundTrip, AGermanLayoutReplaysTheSameKeys)
{
    ASSERT_TRUE(layout.saved());
    ASSERT_TRUE(XTestInjector::setLayout("de"));
    // Keys by what they type on the German layout; each entry's key code, to
    // check that its virtual key injects on the very same key.
    const unsigned long typed[] = {XK_z, XK_y,    XK_ssharp,     XK_minus,
                                   XK_3, XK_less, XK_numbersign, XK_a};
    std::vector<int> pressed;
    const QJsonArray records = record([&](XTestInjector& x) {
        for (const unsigned long keysym : typed) {
            pressed.push_back(XKeysymToKeycode(x.display(), keysym));
            x.tap(keysym);
            pause(15);
        }
        x.key(XK_Shift_L, true);
        x.tap(XK_z);
        x.key(XK_Shift_L, false);
    });
    // The virtual keys that were recorded, in press order.
    std::vector<int> downs;
    for (const QJsonValue& value : records)
        if (value.toObject().value("name") == "keydown")
            downs.push_back(value.toObject().value("keycode").toInt());
    ASSERT_EQ(downs.size(), std::size(typed) + 2);
    const std::vector<int> expected = {0x5A, 0x59, 0xDC, 0xBD, 0x33, 0xE2, 0xDE, 0x41, 0x10, 0x5A};
    EXPECT_EQ(downs, expected);
    XTestInjector fresh;
    for (std::size_t i = 0; i < std::size(typed); ++i)
        EXPECT_EQ(
            XKeysymToKeycode(fresh.display(),
                             tavix::platform::x11::keysymForVirtualKey(std::uint8_t(downs[i]))),
            pressed[i])
            << "virtual key " << std::hex << downs[i] << " injects on another key";
    expectReplayMatches(records);
}

}  // namespace
