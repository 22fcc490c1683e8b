// A run object on its own thread without the run controls: controls that come
// before the run has its debugger, after its end, and a stop before the start.
#include <QObject>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

#include "run_fixture.h"
#include "run_js.h"

namespace vantor::test {
namespace {

// One run object moved to a thread, its signals noted on this thread.
class ThreadedRun {
public:
    explicit ThreadedRun(const QString& script)
    {
        run.setScript(script);
        QObject::connect(&run, &RunJs::debugRunNum, &receiver,
                         [this](int n, const QString& str) { events << eventOf(n, str); });
        QObject::connect(&run, &RunJs::showLogInfo, &receiver,
                         [this](const QString& text) { events << "log " + text; });
        QObject::connect(&run, &RunJs::endThread, &receiver, [this] { events << "endThread"; });
        run.moveToThread(&thread);
        QObject::connect(&thread, &QThread::started, &run, &RunJs::runJs);
    }
    ~ThreadedRun()
    {
        run.stop();
        thread.quit();
        thread.wait();
    }
    bool waitFor(const QString& event, int ms = 10000)
    {
        return QTest::qWaitFor([&] { return events.contains(event); }, ms);
    }

    QObject receiver;
    QThread thread;
    RunJs run;
    QStringList events;
};

const QString kThreeLines = QStringLiteral("log.info('one');\nlog.info('two');\nlog.info('three');\n");

TEST(RunJs, ConstructedIdleAndNotRunning)
{
    RunJs run;
    EXPECT_FALSE(run.isRunning());
    EXPECT_FALSE(run.hasEnded());
}

TEST(RunJs, TheOneByOneSettersChooseTheStartMode)
{
    struct Case {
        void (*set)(RunJs&);
        StartMode expected;
    };
    const Case cases[] = {
        {[](RunJs& run) { run.setDebugMode(false); }, StartMode::Run},
        {[](RunJs& run) { run.setDebugMode(true); }, StartMode::Debug},
        {[](RunJs& run) { run.prepareStepInto(); }, StartMode::StepInto},
        {[](RunJs& run) { run.prepareStepOver(); }, StartMode::StepOver},
        {[](RunJs& run) { run.prepareStepOut(); }, StartMode::StepOut},
    };
    RunJs run;
    EXPECT_EQ(run.startMode(), StartMode::Run);
    // Each choice replaces the one before, whatever it was.
    for (const Case& first : cases) {
        for (const Case& second : cases) {
            first.set(run);
            second.set(run);
            EXPECT_EQ(run.startMode(), second.expected);
        }
    }
}

TEST(RunJs, ControlsBeforeTheDebuggerExistsAreAppliedOnceItDoes)
{
    StdCapture quiet(STDERR_FILENO);
    ThreadedRun subject(kThreeLines);
    subject.run.setDebugMode(true);
    subject.run.setDebugArr({1, 3});
    // Continue pressed before the run began: it counts, so the run passes
    // the first breakpoint and waits at the second.
    subject.run.resume();
    subject.thread.start();
    ASSERT_TRUE(subject.waitFor(eventOf(3, "log.info('three');")));
    QTest::qWait(100);
    EXPECT_EQ(subject.events, (QStringList{eventOf(1, "log.info('one');"), "log one", "log two",
                                           eventOf(3, "log.info('three');")}));
    subject.run.resume();
    ASSERT_TRUE(subject.waitFor("endThread"));
    EXPECT_TRUE(subject.run.hasEnded());
    EXPECT_FALSE(subject.run.isRunning());
}

TEST(RunJs, StopBeforeTheStartNeverEvaluates)
{
    ThreadedRun subject(kThreeLines);
    subject.run.setDebugMode(false);
    subject.run.stop();
    subject.thread.start();
    ASSERT_TRUE(subject.waitFor("endThread"));
    EXPECT_EQ(subject.events, (QStringList{"end of run", "end of run", "endThread"}));
}

TEST(RunJs, ControlsAfterTheEndAreDropped)
{
    ThreadedRun subject("var ended = true;\n");
    subject.run.setDebugMode(true);
    subject.thread.start();
    ASSERT_TRUE(subject.waitFor("endThread"));
    subject.run.resume();
    subject.run.nextStepInto();
    subject.run.nextStepOver();
    subject.run.nextStepOut();
    subject.run.setDebugArr({1, 2});
    subject.run.stop();
    QTest::qWait(50);
    EXPECT_EQ(subject.events, (QStringList{"end of run", "endThread"}));
}

}  // namespace
}  // namespace vantor::test
