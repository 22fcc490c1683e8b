// Script runs on their own thread, steered by the run controls: the start
// paths, stepping, breakpoints, the variable view, exceptions and stops, as
// the sequence of what the run reports.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <iterator>
#include <memory>
#include <unistd.h>
#include <gtest/gtest.h>

#include "run_fixture.h"
#include "run_js.h"
#include "script_harness.h"

namespace vantor::test {
namespace {

// Lines are numbered as the editor shows them.
const QString kAdd = QStringLiteral(
    "var a = 1;\n"                   // 1
    "var b = 2;\n"                   // 2
    "function add(x, y) {\n"         // 3
    "    var sum = x + y;\n"         // 4
    "    return sum;\n"              // 5
    "}\n"                            // 6
    "var c = add(a, b);\n"           // 7
    "log.info('c=' + c);\n");        // 8

QString at(int line, const QString& text)
{
    return eventOf(line, text);
}

const QString kEnd = QStringLiteral("end of run");
const QString kEndThread = QStringLiteral("endThread");

using RunThread = RunFixture;

TEST_F(RunThread, PlainRunNeverPausesEvenWithBreakpointsListed)
{
    useScript(kAdd, {2, 7});
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(events, (QStringList{"log c=3", kEnd, kEndThread}));
    EXPECT_EQ(endSpy->count(), 1);
}

TEST_F(RunThread, EmptyScriptEndsAtOnce)
{
    for (auto start : {&RunControls::run, &RunControls::debug, &RunControls::stepInto}) {
        events.clear();
        useScript(QString());
        (controls.*start)();
        ASSERT_TRUE(waitForEnd());
        EXPECT_EQ(events, (QStringList{kEnd, kEndThread}));
    }
}

TEST_F(RunThread, DebugRunsToEachBreakpoint)
{
    useScript(kAdd, {2, 7});
    controls.debug();
    ASSERT_TRUE(waitForEvent("at 2"));
    controls.run();  // pressing run while paused continues the same run
    ASSERT_TRUE(waitForEvent("at 7"));
    controls.debug();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(positionsAndLogs(),
              (QStringList{at(2, "var b = 2;"), at(7, "var c = add(a, b);"), "log c=3", kEnd,
                           kEndThread}));
    EXPECT_EQ(views.size(), 2);
    EXPECT_TRUE(out->text().contains("Breakpoint 1 at example.js:2\n"));
    EXPECT_TRUE(out->text().contains("Breakpoint 2 at example.js:7\n"));
    EXPECT_TRUE(out->text().contains("7\tvar c = add(a, b);\n"));
}

// Global names no earlier run of this process has used: every run shares one
// engine and its globals.
QString freshName(const char* stem)
{
    static int serial = 0;
    return QStringLiteral("%1_%2").arg(QLatin1String(stem)).arg(++serial);
}

TEST_F(RunThread, TopLevelViewShowsTheScriptsGlobalsAfterTheHostObjects)
{
    const QString first = freshName("viewFirst");
    const QString second = freshName("viewSecond");
    useScript(QStringLiteral("var %1 = 1;\nvar %2 = 'two';\n").arg(first, second), {2});
    controls.debug();
    ASSERT_TRUE(waitForEvent("vars"));
    const QStringList names = lastViewNames();
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names.first(), "ocr");
    for (const char* hidden : {"cs", "log", "require", "Math"})
        EXPECT_FALSE(names.contains(hidden)) << hidden;
    EXPECT_EQ(lastView().value(first), "1");
    EXPECT_EQ(lastView().value(second), "undefined");  // declared, not yet assigned
    controls.run();
    ASSERT_TRUE(waitForEnd());
    // The whole global object went to the output, host objects included.
    EXPECT_TRUE(out->text().contains("cs = [object Object]\n"));
    EXPECT_TRUE(out->text().contains(first + " = 1\n"));
}

TEST_F(RunThread, ViewShowsObjectsByKindAndNeverRunsAccessors)
{
    useScript(
        "var kindObject = {a: 1};\n"
        "var kindArray = [1, 2];\n"
        "var kindText = 'x';\n"
        "this.__defineGetter__('kindGetter', function () {\n"
        "    log.info('getter ran'); return 1; });\n"
        "var kindEnd = 0;\n");
    controls.stepInto();  // passes line 1, pauses at line 2
    for (int line : {2, 3, 4, 6}) {
        ASSERT_TRUE(waitForEvent(QStringLiteral("at %1").arg(line))) << line;
        controls.stepInto();
    }
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(lastView().value("kindObject"), "[object Object]");
    EXPECT_EQ(lastView().value("kindArray"), "[object Object]");
    EXPECT_EQ(lastView().value("kindText"), "x");
    EXPECT_EQ(lastView().value("kindGetter"), "[accessor]");
    // The getter never ran: no log line and no pause on its line.
    EXPECT_FALSE(events.contains("log getter ran"));
    EXPECT_TRUE(events.filter("at 5").isEmpty()) << events.join(" | ").toStdString();
}

TEST_F(RunThread, StepOverStartPausesAtTheFirstStatementAndStepsOverCalls)
{
    useScript(kAdd);
    controls.stepOver();
    ASSERT_TRUE(waitForEvent("vars"));
    EXPECT_EQ(positionsAndLogs(), QStringList{at(1, "var a = 1;")});
    for (int line : {2, 7, 8}) {
        controls.stepOver();
        ASSERT_TRUE(waitForEvent(QStringLiteral("at %1").arg(line))) << line;
    }
    controls.stepOver();
    ASSERT_TRUE(waitForEnd());
    // The call on line 7 was stepped over: nothing inside add() paused.
    EXPECT_EQ(positionsAndLogs(),
              (QStringList{at(1, "var a = 1;"), at(2, "var b = 2;"), at(7, "var c = add(a, b);"),
                           at(8, "log.info('c=' + c);"), "log c=3", kEnd, kEndThread}));
}

TEST_F(RunThread, StepIntoStartPassesTheFirstStatementAndPausesAtTheSecond)
{
    useScript(kAdd);
    controls.stepInto();
    ASSERT_TRUE(waitForEvents(4));
    EXPECT_EQ(positionsAndLogs(), (QStringList{at(1, "var a = 1;"), at(2, "var b = 2;")}));
    // Paused at line 2 for good: nothing more comes until a control is pressed.
    QTest::qWait(200);
    EXPECT_EQ(events.size(), 4);

    controls.stepInto();
    ASSERT_TRUE(waitForEvent("at 7"));
    controls.stepInto();
    ASSERT_TRUE(waitForEvent("at 4"));
    // Inside the function: its parameters and locals.
    EXPECT_EQ(lastView().value("x"), "1");
    EXPECT_EQ(lastView().value("y"), "2");
    EXPECT_EQ(lastView().value("sum"), "undefined");
    EXPECT_FALSE(lastViewNames().contains("ocr"));

    controls.stepOut();  // back in the caller, at its next statement
    ASSERT_TRUE(waitForEvent("at 8"));
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(positionsAndLogs(),
              (QStringList{at(1, "var a = 1;"), at(2, "var b = 2;"), at(7, "var c = add(a, b);"),
                           at(4, "    var sum = x + y;"), at(8, "log.info('c=' + c);"), "log c=3",
                           kEnd, kEndThread}));
}

TEST_F(RunThread, StepOutStartRunsToABreakpointAndStepOutAtTopLevelRunsOn)
{
    useScript(kAdd, {5});
    controls.stepOut();
    ASSERT_TRUE(waitForEvent("at 5"));
    controls.stepOut();
    ASSERT_TRUE(waitForEvent("at 8"));
    controls.stepOut();  // top level: on to the end, there is no breakpoint left
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(positionsAndLogs(), (QStringList{at(5, "    return sum;"), at(8, "log.info('c=' + c);"),
                                               "log c=3", kEnd, kEndThread}));
}

// Where each start control first stops, on one script with a breakpoint
// inside the function (line 5).
struct StartCase {
    const char* name;
    void (RunControls::*start)();
    QStringList untilFirstPause;  // positions and log lines, up to the first pause or the end
    bool pauses;
};

TEST_F(RunThread, EachStartModeFirstStopsWhereItShould)
{
    const StartCase cases[] = {
        {"run", &RunControls::run, {"log c=3", kEnd, kEndThread}, false},
        {"debug", &RunControls::debug, {at(5, "    return sum;")}, true},
        {"step into", &RunControls::stepInto, {at(1, "var a = 1;"), at(2, "var b = 2;")}, true},
        {"step over", &RunControls::stepOver, {at(1, "var a = 1;")}, true},
        {"step out", &RunControls::stepOut, {at(5, "    return sum;")}, true},
    };
    for (const StartCase& c : cases) {
        events.clear();
        views.clear();
        useScript(kAdd, {5});
        (controls.*c.start)();
        if (c.pauses) {
            ASSERT_TRUE(waitForEvent("vars")) << c.name;
            // Paused for good: nothing more comes until a control is pressed.
            QTest::qWait(100);
            EXPECT_EQ(positionsAndLogs(), c.untilFirstPause) << c.name;
            controls.stop();
        }
        ASSERT_TRUE(waitForEnd()) << c.name;
        if (!c.pauses) {
            EXPECT_EQ(events, c.untilFirstPause) << c.name;
        }
    }
}

// The step-over start steps over, then sets step-into mode, which wins: the
// run pauses at the first statement. Step-over mode alone would count the
// script's own entry as a call and run on to the end.
TEST_F(RunThread, StepOverStartIsOverriddenByStepIntoAndPausesAtTheFirstStatement)
{
    useScript("function f() {\n    return 1;\n}\nf();\nvar after = f();\n");
    controls.stepOver();
    ASSERT_TRUE(waitForEvent("vars"));
    QTest::qWait(100);
    EXPECT_EQ(positionsAndLogs(), QStringList{at(4, "f();")});
    controls.stepOver();
    ASSERT_TRUE(waitForEvent("at 5"));
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(positionsAndLogs(),
              (QStringList{at(4, "f();"), at(5, "var after = f();"), kEnd, kEndThread}));
}

TEST_F(RunThread, StepOutAtTopLevelStopsAtTheNextBreakpoint)
{
    useScript(kAdd, {1, 8});
    controls.debug();
    ASSERT_TRUE(waitForEvent("at 1"));
    controls.stepOut();
    ASSERT_TRUE(waitForEvent("at 8"));
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(positionsAndLogs(), (QStringList{at(1, "var a = 1;"), at(8, "log.info('c=' + c);"),
                                               "log c=3", kEnd, kEndThread}));
}

TEST_F(RunThread, HostCallsLeaveTheStepDepthBalanced)
{
    useScript(
        "var r = utils.randomInt(1, 9);\n"
        "sleep(1);\n"
        "var s = file.exists('/');\n"
        "var t = 2;\n");
    controls.stepOver();
    for (int line : {1, 2, 3, 4}) {
        ASSERT_TRUE(waitForEvent(QStringLiteral("at %1").arg(line))) << line;
        controls.stepOver();
    }
    ASSERT_TRUE(waitForEnd());
}

TEST_F(RunThread, BreakpointsTwiceOnALineOnEmptyLinesAndOutsideTheScript)
{
    useScript(kAdd, {3, 6, 7, 7, -4, 0, 500});
    controls.debug();
    ASSERT_TRUE(waitForEvent("at 7"));
    controls.run();
    ASSERT_TRUE(waitForEnd());
    // Line 3 (a declaration) and line 6 hold no statement; the first of the
    // two entries for line 7 answers.
    EXPECT_EQ(positionsAndLogs(),
              (QStringList{at(7, "var c = add(a, b);"), "log c=3", kEnd, kEndThread}));
    EXPECT_TRUE(out->text().contains("Breakpoint 3 at example.js:7\n"));
    EXPECT_FALSE(out->text().contains("Breakpoint 4"));
}

TEST_F(RunThread, BreakpointsChangedWhileRunningTakeEffectWithNewIdentifiers)
{
    useScript(kAdd, {1});
    controls.debug();
    ASSERT_TRUE(waitForEvent("at 1"));
    controls.setBreakpoints({8});
    controls.run();
    ASSERT_TRUE(waitForEvent("at 8"));
    controls.setBreakpoints({});
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(positionsAndLogs(), (QStringList{at(1, "var a = 1;"), at(8, "log.info('c=' + c);"),
                                               "log c=3", kEnd, kEndThread}));
    // The removed entry keeps its identifier: the new one is the second.
    EXPECT_TRUE(out->text().contains("Breakpoint 2 at example.js:8\n"));
}

TEST_F(RunThread, WindowsLineEndsKeepTheEditorsLineNumbers)
{
    QString text = kAdd;
    text.replace("\n", "\r\n");
    useScript(text, {4});
    controls.debug();
    ASSERT_TRUE(waitForEvent("at 4"));
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(positionsAndLogs(),
              (QStringList{at(4, "    var sum = x + y;"), "log c=3", kEnd, kEndThread}));
}

TEST_F(RunThread, UncaughtExceptionIsReportedWithItsLineAndEndsTheRun)
{
    useScript("var a = 1;\nnull.x = a;\nlog.info('not reached');\n");
    controls.run();
    ASSERT_TRUE(waitForEnd());
    ASSERT_EQ(events.size(), 4) << events.join(" | ").toStdString();
    EXPECT_EQ(events[0], at(2, "null.x = a;"));
    EXPECT_TRUE(events[1].startsWith("log uncaught exception: TypeError")) << events[1].toStdString();
    EXPECT_EQ(events.mid(2), (QStringList{kEnd, kEndThread}));
    EXPECT_TRUE(err->text().contains("uncaught exception: TypeError"));
    EXPECT_TRUE(out->text().contains("2\tnull.x = a;\n"));
}

TEST_F(RunThread, CaughtExceptionsAreNotReported)
{
    useScript(
        "function thrower() { throw new Error('inner'); }\n"
        "try { thrower(); } catch (e) { log.info('caught ' + e.message); }\n"
        "try { null.x = 1; } finally { log.info('finally'); }\n");
    controls.run();
    ASSERT_TRUE(waitForEnd());
    // The try without catch lets its TypeError escape once the finally block
    // has run: only that escape is reported.
    ASSERT_EQ(events.size(), 6) << events.join(" | ").toStdString();
    EXPECT_EQ(events[0], "log caught inner");
    EXPECT_EQ(events[1], "log finally");
    EXPECT_EQ(events[2], at(3, "try { null.x = 1; } finally { log.info('finally'); }"));
    EXPECT_TRUE(events[3].startsWith("log uncaught exception: TypeError"));
    EXPECT_EQ(events.mid(4), (QStringList{kEnd, kEndThread}));
}

TEST_F(RunThread, ExceptionThrownInsideAModuleIsReportedOnceAtTheRequire)
{
    WorkFolder folder;
    folder.write("thrower.js", "var ok = 1;\nvar more = 2;\nthrow new Error('from module');\n");
    useScript(QStringLiteral("require.paths = ['%1'];\nrequire('thrower.js');\nlog.info('after');\n")
                  .arg(folder.path()));
    controls.run();
    ASSERT_TRUE(waitForEnd());
    // The editor shows the script, not the module: its line is the require.
    const QString report = "log uncaught exception: Error: from module";
    EXPECT_EQ(events, (QStringList{at(2, "require('thrower.js');"), report, kEnd, kEndThread}));
    EXPECT_TRUE(out->text().contains("2\trequire('thrower.js');\n"));
    EXPECT_FALSE(out->text().contains("3\tthrow new Error('from module');"));
}

TEST_F(RunThread, ExceptionsCaughtAcrossHostFunctionsAreNotReported)
{
    // A host function between the throw and the try hides the handler from
    // the throwing function.
    WorkFolder folder;
    folder.write("throwmod.js", "exports.half = 1;\nthrow new Error('caught mod');\n");
    const char* const tries[] = {
        "try { [1, 2].forEach(function (v) { throw new Error('caught cb'); }); }\n",
        "try { [3, 1, 2].sort(function (a, b) { throw new Error('caught cmp'); }); }\n",
        "try { require('throwmod.js'); }\n",
        "function deeper() { [1].map(function () { null.x = 1; }); }\ntry { deeper(); }\n",
    };
    for (const char* attempt : tries) {
        events.clear();
        useScript(QString::fromUtf8(attempt)
                  + "catch (e) { log.info('caught ' + e.name); }\nlog.info('go on');\n");
        controls.run();
        ASSERT_TRUE(waitForEnd()) << attempt;
        const QString name = QString::fromUtf8(attempt).contains("null")
            ? QStringLiteral("TypeError")
            : QStringLiteral("Error");
        EXPECT_EQ(events, (QStringList{"log caught " + name, "log go on", kEnd, kEndThread}))
            << attempt;
        EXPECT_FALSE(err->text().contains("uncaught exception")) << attempt;
    }
}

TEST_F(RunThread, UncaughtExceptionsAreReportedOnceAtTheFailingLine)
{
    struct Case {
        const char* script;
        int line;
        const char* lineText;
        const char* message;
    };
    const Case cases[] = {
        // The failing expression sits lines after its statement's start.
        {"var x = 1,\n    y = 2,\n    z = undefinedVar;\n", 3, "    z = undefinedVar;",
         "ReferenceError: Can't find variable: undefinedVar"},
        {"var o = {};\nfor (var i = 0; i < (i == 1 ? o.x.y : 5); i++) {\n  i;\n}\n", 2,
         "for (var i = 0; i < (i == 1 ? o.x.y : 5); i++) {",
         "TypeError: Result of expression 'o.x' [undefined] is not an object."},
        // Out of a callback, through the host function that called it.
        {"var list = [1, 2];\nlist.forEach(function (v) {\n  throw new Error('cb ' + v);\n});\n", 3,
         "  throw new Error('cb ' + v);", "Error: cb 1"},
        // A plain value knows no line: the statement's.
        {"var a = 1;\nthrow 'plain';\n", 2, "throw 'plain';", "plain"},
        {"var a = 1;\nvar b = ;\n", 2, "var b = ;", "SyntaxError: Parse error"},
    };
    for (const Case& c : cases) {
        events.clear();
        useScript(QString::fromUtf8(c.script) + "log.info('not reached');\n");
        controls.run();
        ASSERT_TRUE(waitForEnd()) << c.script;
        const QString message = QStringLiteral("uncaught exception: ") + c.message;
        EXPECT_EQ(events, (QStringList{at(c.line, c.lineText), "log " + message, kEnd, kEndThread}))
            << c.script;
        EXPECT_EQ(err->text().count(message), 1) << c.script;
    }
}

// A stop is reported at once, then again when the evaluation has unwound.
const QStringList kStopped{kEnd, kEnd, kEndThread};

TEST_F(RunThread, StopEndsBusyLoops)
{
    // Loops with statements meet the stop at their next statement; loops
    // without any only through the run thread's events.
    const char* const loops[] = {
        "var i = 0;\nwhile (true) { i++; }\n",
        "while (true) {}\n",
        "for (;;);\n",
        "for (var k = 0; k < 1e12; k++) {}\n",
        "function spin() { while (true) {} }\nspin();\n",
    };
    for (const char* loop : loops) {
        events.clear();
        useScript(QStringLiteral("log.info('looping');\n") + QLatin1String(loop));
        controls.run();
        ASSERT_TRUE(waitForEvent("log looping")) << loop;
        controls.stop();
        ASSERT_TRUE(waitForEnd()) << loop;
        EXPECT_EQ(events, QStringList{"log looping"} + kStopped) << loop;
    }
    EXPECT_EQ(endSpy->count(), int(std::size(loops)));
}

TEST_F(RunThread, AModuleStoppedWhileLoadingRunsAgainOnTheNextRequire)
{
    WorkFolder folder;
    folder.write("slowmod.js",
                 "exports.ready = false;\n"
                 "log.info('loading');\n"
                 "while (typeof slowModuleMayGo == 'undefined') {}\n"
                 "exports.ready = true;\n"
                 "exports.go = function () {};\n");
    const QString use =
        "var m = require('slowmod.js');\n"
        "log.info('ready=' + m.ready + ' go=' + typeof m.go);\n";
    useScript(use);
    controls.run();
    ASSERT_TRUE(waitForEvent("log loading"));
    controls.stop();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(events, QStringList{"log loading"} + kStopped);

    events.clear();
    useScript("var slowModuleMayGo = true;\n" + use);
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(events, (QStringList{"log loading", "log ready=true go=function", kEnd, kEndThread}));
}

TEST_F(RunThread, StopBeforeABreakpointIsReachedNeverPausesThere)
{
    useScript("log.info('sleeping');\nsleep(300);\nvar reached = 1;\n", {3});
    controls.debug();
    ASSERT_TRUE(waitForEvent("log sleeping"));
    controls.stop();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(events, QStringList{"log sleeping"} + kStopped);
}

TEST_F(RunThread, StopWhilePausedNeverRunsThePausedCall)
{
    // The abort keeps a paused call from running; a plain assignment the
    // engine may still complete before it unwinds.
    useScript("var a = 1;\nlog.info('must not run');\n", {2});
    controls.debug();
    ASSERT_TRUE(waitForEvent("vars"));
    controls.stop();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(positionsAndLogs(), QStringList{at(2, "log.info('must not run');")} + kStopped);
}

TEST_F(RunThread, StopInsideAnEngineCallTakesEffectWhenItReturns)
{
    useScript("log.info('sleeping');\nsleep(2000);\nlog.info('woke');\n");
    controls.run();
    ASSERT_TRUE(waitForEvent("log sleeping"));
    controls.stop();
    EXPECT_TRUE(controls.isActive());  // still unwinding: no second run may start
    controls.run();
    ASSERT_TRUE(waitForEnd(5000));
    EXPECT_EQ(events, QStringList{"log sleeping"} + kStopped);
}

TEST_F(RunThread, StoppedDebugRunNeverPausesAgain)
{
    // Breakpoints inside the loop: once stopped, the next hit must not block.
    useScript("var n = 0;\nwhile (true) {\n  n++;\n  n--;\n}\n", {3, 4});
    controls.debug();
    ASSERT_TRUE(waitForEvent("at 3"));
    controls.stop();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(positionsAndLogs(), QStringList{at(3, "  n++;")} + kStopped);
}

TEST_F(RunThread, StopDuringAMessageBoxEndsWhenTheBoxIsClosed)
{
    useScript("msg('stop me');\nlog.info('after the box');\n");
    // The box runs its own modal loop on this thread, which keeps serving
    // timers: the stop and the click come from one.
    QStringList eventsBeforeClose;
    bool activeBeforeClose = false;
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible() || box->buttons().isEmpty())
                continue;
            if (eventsBeforeClose.isEmpty()) {
                controls.stop();
                eventsBeforeClose = events;
                activeBeforeClose = controls.isActive();
            }
            box->buttons().first()->click();
        }
    });
    presser.start(20);
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(eventsBeforeClose, QStringList{kEnd});
    EXPECT_TRUE(activeBeforeClose);
    EXPECT_EQ(events, kStopped);
}

TEST_F(RunThread, ControlsWithoutARunDoNothing)
{
    controls.stop();
    controls.setBreakpoints({1, 2});
    QTest::qWait(50);
    EXPECT_FALSE(controls.isActive());
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(RunThread, RunPressedRightAfterAnEndStartsANewRun)
{
    useScript("log.info('once');\n");
    controls.run();
    RunJs* first = controls.currentRun();
    // Not serving events: the notice of the end stays queued.
    QDeadlineTimer deadline(10000);
    while (!first->hasEnded() && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    ASSERT_TRUE(first->hasEnded());
    controls.run();
    EXPECT_EQ(events, (QStringList{"log once", kEnd, kEndThread}));
    EXPECT_TRUE(controls.isActive());
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(events, (QStringList{"log once", kEnd, kEndThread, "log once", kEnd, kEndThread}));
}

TEST_F(RunThread, LaterRunsSeeTheGlobalsOfEarlierOnes)
{
    useScript("var carried = 41;\n");
    controls.run();
    ASSERT_TRUE(waitForEnd());
    useScript("log.info('carried ' + (carried + 1));\n");
    controls.run();
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(events.contains("log carried 42"));
}

int threadCount()
{
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

TEST_F(RunThread, TwoHundredStartsAndStopsInARow)
{
    // One run first, so that threads the engine keeps for good exist already.
    useScript("var spin = 0;\nwhile (true) { spin++; }\n");
    controls.run();
    controls.stop();
    ASSERT_TRUE(waitForEnd());
    const int threadsBefore = threadCount();
    // Each busy loop writes megabytes of trace before its stop: nothing here reads it.
    err.reset();
    err = std::make_unique<StdCapture>(STDERR_FILENO, StdCapture::Discard);
    for (int cycle = 0; cycle < 200; ++cycle) {
        controls.run();
        ASSERT_TRUE(QTest::qWaitFor([&] { return controls.currentRun()->isRunning(); }, 5000))
            << cycle;
        controls.stop();
        ASSERT_TRUE(waitForEnd()) << "cycle " << cycle;
    }
    EXPECT_EQ(endSpy->count(), 201);
    EXPECT_EQ(threadCount(), threadsBefore);
}

}  // namespace
}  // namespace vantor::test
