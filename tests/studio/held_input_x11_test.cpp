// A run that holds a mouse button and keys and is stopped, signalled or
// fails leaves nothing down on the X server: checked from a connection of
// this test's own, as any other program on the desktop would see it.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/types.h>

#include "display.h"
#include "run_fixture.h"

// Last: Xlib defines names that Qt's headers use.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vantor::test {
namespace {

const QString kReleased = QStringLiteral("Released what the script still held down: ");

// The pointer's buttons and the modifiers, as the server reports them.
class XState {
public:
    XState() : display_(XOpenDisplay(nullptr)) {}
    ~XState()
    {
        if (display_)
            XCloseDisplay(display_);
    }
    bool open() const { return display_ != nullptr; }

    unsigned int mask() const
    {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int mask = 0;
        XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &x, &y,
                      &mask);
        return mask;
    }

    bool waitFor(unsigned int bits, bool down, int ms = 5000) const
    {
        return QTest::qWaitFor([&] { return ((mask() & bits) == bits) == down; }, ms);
    }

    // After a failure: lets go of everything, so that later tests on the
    // same display do not start with a button or modifier down.
    void releaseEverything()
    {
        for (unsigned int button = 1; button <= 3; ++button)
            XTestFakeButtonEvent(display_, button, False, CurrentTime);
        for (KeySym key : {XK_Shift_L, XK_Shift_R, XK_Control_L, XK_Control_R, XK_Alt_L, XK_Alt_R})
            if (const KeyCode code = XKeysymToKeycode(display_, key))
                XTestFakeKeyEvent(display_, code, False, CurrentTime);
        XSync(display_, False);
    }

private:
    Display* display_;
};

constexpr unsigned int kAnyButton = Button1Mask | Button2Mask | Button3Mask;
constexpr unsigned int kHeldModifiers = ShiftMask | ControlMask | Mod1Mask;

bool nothingDown(const XState& x, int ms = 5000)
{
    return QTest::qWaitFor([&] { return (x.mask() & (kAnyButton | kHeldModifiers)) == 0; }, ms);
}

// The script of the review: a button and Shift held, then a loop that never ends.
const char* const kHoldScript =
    "cs.mouseMove(100,100);\n"
    "cs.mouseLeftDown(100,100);\n"
    "cs.keyDown(16);\n"
    "log.info(\"holding\");\n";

class HeldInputX11 : public RunFixture {
protected:
    void SetUp() override
    {
        RunFixture::SetUp();
        TAVIX_REQUIRE_X11();
        ASSERT_TRUE(x.open());
        ASSERT_TRUE(nothingDown(x)) << "held before the test: mask " << x.mask();
    }

    void TearDown() override
    {
        if (x.open() && !nothingDown(x, 0))
            x.releaseEverything();
        RunFixture::TearDown();
    }

    XState x;
};

// vantor-run as a child process with the real input backend.
class Runner {
public:
    explicit Runner(const QByteArray& script)
    {
        QFile file(dir_.filePath("script.js"));
        if (file.open(QIODevice::WriteOnly))
            file.write(script);
        file.close();
        process_.start(qEnvironmentVariable("VANTOR_RUN"), {file.fileName()});
    }
    ~Runner()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    bool waitForOutput(const QString& text, int ms = 20000)
    {
        return QTest::qWaitFor(
                   [&] {
                       out_ += QString::fromUtf8(process_.readAllStandardOutput());
                       return out_.contains(text) || process_.state() == QProcess::NotRunning;
                   },
                   ms)
            && out_.contains(text);
    }
    void signal(int number) { ::kill(pid_t(process_.processId()), number); }
    bool waitForEnd(int ms = 10000) { return process_.waitForFinished(ms); }

    QProcess& process() { return process_; }
    QString err() { return err_ += QString::fromUtf8(process_.readAllStandardError()); }

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString out_;
    QString err_;
};

struct SignalCase {
    const char* name;
    int signal;
    const char* loop;  // what the script is doing when the signal comes
};

TEST_F(HeldInputX11, VantorRunEndedBySignalReleasesAndDiesOfThatSignal)
{
    const SignalCase cases[] = {
        {"Ctrl-C in a busy loop", SIGINT, "while (true) {}\n"},
        {"SIGTERM in a busy loop", SIGTERM, "while (true) {}\n"},
        // The abort waits for the sleep; after a short grace the held input
        // is released anyway and the process ends without sleeping on.
        {"SIGTERM in a long sleep", SIGTERM, "sleep(60000);\n"},
    };
    for (const SignalCase& c : cases) {
        SCOPED_TRACE(c.name);
        Runner run(QByteArray(kHoldScript) + c.loop);
        ASSERT_TRUE(run.waitForOutput("holding")) << run.err().toStdString();
        ASSERT_TRUE(x.waitFor(Button1Mask | ShiftMask, true)) << "mask " << x.mask();

        QElapsedTimer clock;
        clock.start();
        run.signal(c.signal);
        ASSERT_TRUE(run.waitForEnd()) << "still running after the signal";
        EXPECT_LT(clock.elapsed(), 8000);
        // Ended by the signal itself: a shell reports 128 + its number.
        EXPECT_EQ(run.process().exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(run.process().exitCode(), c.signal);
        EXPECT_TRUE(nothingDown(x)) << "mask " << x.mask();
        EXPECT_TRUE(run.err().contains(kReleased + "key 16 (Shift), left mouse button\n"))
            << run.err().toStdString();
    }
}

TEST_F(HeldInputX11, VantorRunReleasesAfterAnUncaughtException)
{
    Runner run("cs.keyDown(17); cs.mouseLeftDown(10,10); var o={}; o.x.y=1;");
    ASSERT_TRUE(run.waitForEnd());
    EXPECT_EQ(run.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.process().exitCode(), 1);
    EXPECT_TRUE(nothingDown(x)) << "mask " << x.mask() << "\n" << run.err().toStdString();
    EXPECT_TRUE(run.err().contains("uncaught exception: TypeError")) << run.err().toStdString();
    EXPECT_TRUE(run.err().contains(kReleased + "left mouse button, key 17 (Ctrl)\n"))
        << run.err().toStdString();
}

TEST_F(HeldInputX11, StudioStopReleasesWhatTheRunHolds)
{
    // Stopped in a busy loop, and stopped while paused at a breakpoint.
    struct StopCase {
        const char* name;
        void (RunControls::*start)();
        QVector<int> breakpoints;
        const char* waitFor;
    };
    const StopCase cases[] = {
        {"run in a loop", &RunControls::run, {}, "log holding"},
        {"debug paused", &RunControls::debug, {6}, "at 6"},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        useScript(QString::fromLatin1(kHoldScript) + "var spin = true;\nwhile (spin) {}\n",
                  c.breakpoints);
        (controls.*c.start)();
        ASSERT_TRUE(waitForEvent(c.waitFor));
        ASSERT_TRUE(x.waitFor(Button1Mask | ShiftMask, true)) << "mask " << x.mask();
        controls.stop();
        ASSERT_TRUE(waitForEnd());
        EXPECT_TRUE(nothingDown(x)) << "mask " << x.mask();
        EXPECT_TRUE(events.contains("log " + kReleased + "key 16 (Shift), left mouse button"))
            << events.join(" | ").toStdString();
    }
}

TEST_F(HeldInputX11, StudioRunReleasesAtItsEndOnlyWhatIsStillHeld)
{
    // Held at the normal end: released, with its line before the end of the run.
    useScript("cs.keyDown(18);\ncs.mouseRightDown(50, 60);\nlog.info('done');\n");
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(nothingDown(x)) << "mask " << x.mask();
    EXPECT_EQ(events,
              (QStringList{"log done", "log " + kReleased + "right mouse button, key 18 (Alt)",
                           "end of run", "endThread"}));

    // Released by the script itself: the run adds nothing.
    events.clear();
    useScript(
        "cs.keyDown(17);\ncs.mouseLeftDown(50, 60);\ncs.mouseLeftUp(50, 60);\n"
        "cs.keyUp(17);\nlog.info('done');\n");
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(nothingDown(x)) << "mask " << x.mask();
    EXPECT_EQ(events, (QStringList{"log done", "end of run", "endThread"}));
}

}  // namespace
}  // namespace vantor::test
