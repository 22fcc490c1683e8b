// The debugger's console trace. Each start of a run is compared byte for byte
// with the standard error it gave when the trace was first written line by
// line (tests/studio/trace_fixtures); a stopped run keeps every line written
// before the stop; buffered lines reach the file on their own within a while.
//
// VANTOR_WRITE_TRACE_FIXTURES=1 rewrites the fixtures from the current code.
#include <QDir>
#include <QFile>
#include <QObject>
#include <QScriptEngine>
#include <QTest>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

#include "run_fixture.h"
#include "run_js.h"
#include "script_harness.h"
#include "std_capture.h"
#include "tavix_mgr.h"

namespace vantor::test {
namespace {

// Statements, a function stepped into and over, a loop, a log line, the
// diagnostics of a failed require between statements and an uncaught exception.
const QString kScript = QStringLiteral(
    "var total = 0;\n"                               // 1
    "function add(x, y) {\n"                         // 2
    "    var sum = x + y;\n"                         // 3
    "    return sum;\n"                              // 4
    "}\n"                                            // 5
    "for (var i = 0; i < 3; i++) {\n"                // 6
    "    total = add(total, i);\n"                   // 7
    "}\n"                                            // 8
    "log.info('total ' + total);\n"                  // 9
    "var missing = require('no-such-module.js');\n"  // 10
    "null.x = total;\n");                            // 11

// One run object on its own thread, steered from this thread only while its
// script is blocked in a pause, so that what both threads write comes in one
// order.
class SteppedRun {
public:
    SteppedRun()
    {
        run.setScript(kScript);
        QObject::connect(&run, &RunJs::deBugInfo, &receiver, [this] { ++pauses; });
        QObject::connect(&run, &RunJs::endThread, &receiver, [this] { ended = true; });
        run.moveToThread(&thread);
        QObject::connect(&thread, &QThread::started, &run, &RunJs::runJs);
    }
    ~SteppedRun()
    {
        run.stop();
        thread.quit();
        thread.wait();
    }

    // Starts the thread and presses `press` at every pause until the end,
    // except at the first `freePauses`, which the script passes on its own.
    bool runToTheEnd(const std::function<void(RunJs&)>& press, int freePauses)
    {
        thread.start();
        int handled = freePauses;
        while (!ended) {
            // The variable view is the pause's last word before it blocks.
            if (!QTest::qWaitFor([&] { return ended || pauses > handled; }, 10000))
                return false;
            if (pauses > handled) {
                ++handled;
                press(run);
            }
        }
        return true;
    }

    QObject receiver;
    QThread thread;
    RunJs run;
    int pauses = 0;
    bool ended = false;
};

struct TraceCase {
    const char* name;
    void (*prepare)(RunJs&);
    QVector<int> breakpoints;
    void (*press)(RunJs&);
    int freePauses;  // pauses the start passes without blocking
};

const TraceCase kCases[] = {
    {"run",
     [](RunJs& run) { run.setDebugMode(false); },
     {3, 9},
     [](RunJs& run) { run.resume(); },
     0},
    {"debug",
     [](RunJs& run) { run.setDebugMode(true); },
     {3, 9},
     [](RunJs& run) { run.resume(); },
     0},
    // The step-into start reports its first statement and goes on to the second.
    {"step_into",
     [](RunJs& run) { run.prepareStepInto(); },
     {},
     [](RunJs& run) { run.nextStepInto(); },
     1},
    {"step_over",
     [](RunJs& run) { run.prepareStepOver(); },
     {},
     [](RunJs& run) { run.nextStepOver(); },
     0},
    {"step_out",
     [](RunJs& run) { run.prepareStepOut(); },
     {4},
     [](RunJs& run) { run.nextStepOut(); },
     0},
};

QString fixturePath(const char* name)
{
    return qEnvironmentVariable("TAVIX_SOURCE_DIR")
        + QStringLiteral("/tests/studio/trace_fixtures/%1.stderr").arg(QLatin1String(name));
}

// The first line where two texts part, for a readable failure.
QString firstDifference(const QByteArray& expected, const QByteArray& actual)
{
    const QList<QByteArray> want = expected.split('\n');
    const QList<QByteArray> got = actual.split('\n');
    for (int i = 0; i < qMax(want.size(), got.size()); ++i) {
        const QByteArray a = want.value(i, "<none>");
        const QByteArray b = got.value(i, "<none>");
        if (a != b)
            return QStringLiteral("line %1: expected \"%2\", got \"%3\"")
                .arg(i + 1)
                .arg(QString::fromUtf8(a), QString::fromUtf8(b));
    }
    return QString();
}

class DebuggerTrace : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The manager writes lines of its own when it is built: not a run's.
        StdCapture quiet(STDERR_FILENO);
        evaluate(QStringLiteral("var warmedUp = 1;"));
    }
};

TEST_F(DebuggerTrace, EveryStartModeWritesTheSameStandardErrorAsBefore)
{
    const bool rewrite = qEnvironmentVariableIntValue("VANTOR_WRITE_TRACE_FIXTURES") == 1;
    // The folder holds require()'s search and must not hold the module.
    WorkFolder folder;
    for (const TraceCase& c : kCases) {
        QByteArray written;
        bool ended = false;
        {
            // Failures are reported once both streams are back.
            StdCapture out(STDOUT_FILENO);
            StdCapture err(STDERR_FILENO);
            SteppedRun subject;
            c.prepare(subject.run);
            subject.run.setDebugArr(c.breakpoints);
            ended = subject.runToTheEnd(c.press, c.freePauses);
            written = err.bytes();
        }
        ASSERT_TRUE(ended) << c.name;
        ASSERT_TRUE(written.contains("positionChange\ninfo\n")) << c.name;
        QFile fixture(fixturePath(c.name));
        if (rewrite) {
            ASSERT_TRUE(QDir().mkpath(QFileInfo(fixture).path()));
            ASSERT_TRUE(fixture.open(QIODevice::WriteOnly)) << c.name;
            fixture.write(written);
            continue;
        }
        ASSERT_TRUE(fixture.open(QIODevice::ReadOnly)) << qPrintable(fixture.fileName());
        const QByteArray expected = fixture.readAll();
        EXPECT_TRUE(written == expected)
            << c.name << ": " << qPrintable(firstDifference(expected, written));
    }
}

// Runs through the run controls, standard output and error taken into files.
using StoppedTrace = RunFixture;

TEST_F(StoppedTrace, AStoppedRunKeepsEveryLineWrittenBeforeTheStop)
{
    // Each pass of the loop is one statement with its two trace lines.
    useScript(QStringLiteral("var spun = 0;\nlog.info('spinning');\nwhile (true) { spun++; }\n"));
    controls.run();
    ASSERT_TRUE(waitForEvent("log spinning"));
    // Into the loop, with lines written out and lines still held (each pass
    // is some twenty bytes of trace).
    QTest::qWait(20);
    controls.stop();
    ASSERT_TRUE(waitForEnd());
    const int spun = TavixMgr::instance()->engine()->globalObject().property("spun").toInt32();
    ASSERT_GT(spun, 0);
    // On the file by the end of the run, without any flush of this test's.
    const QByteArray trace = err->bytesOnFile();
    // Two statements before the loop and one per pass that ran. The abort
    // may also land between a statement's trace and its execution: one more.
    const int traced = trace.count("positionChange\ninfo\n");
    EXPECT_GE(traced, spun + 2);
    EXPECT_LE(traced, spun + 3);
    EXPECT_TRUE(trace.endsWith("mode\n")) << trace.right(200).constData();
}

TEST_F(StoppedTrace, BufferedLinesReachTheFileWhileTheScriptSpins)
{
    // No pause, no log line, no exception and no end: the script spins in a
    // loop that passes no statement, yet its lines must show.
    useScript(QStringLiteral("var first = 1;\nvar second = 2;\nvar third = 3;\nwhile (true) {}\n"));
    controls.run();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return err->bytesOnFile().count("positionChange\ninfo\n") == 4; }, 5000))
        << err->bytesOnFile().constData();
    controls.stop();
    ASSERT_TRUE(waitForEnd());
}

TEST_F(StoppedTrace, LinesOfTheStudiosThreadAndTheRunThreadNeverMix)
{
    // Continue pressed again and again while a plain run spins: each press
    // writes "mode" from this thread between the run's per-statement lines.
    useScript(QStringLiteral("var turns = 0;\nlog.info('spinning');\nwhile (true) { turns++; }\n"));
    controls.run();
    ASSERT_TRUE(waitForEvent("log spinning"));
    for (int press = 0; press < 300; ++press)
        controls.run();
    controls.stop();
    ASSERT_TRUE(waitForEnd());
    const QList<QByteArray> lines = err->bytes().split('\n');
    int modes = 0;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (line == "mode") {
            ++modes;
            continue;
        }
        const bool known =
            line == "positionChange" || line == "info" || line == "spinning" || line.isEmpty();
        ASSERT_TRUE(known) << "line " << i + 1 << ": " << line.constData();
    }
    // The start, every press, the stop and the end.
    EXPECT_EQ(modes, 1 + 300 + 2);
}

}  // namespace
}  // namespace vantor::test
