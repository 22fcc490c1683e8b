// The debugger's parts on their own: line texts of a loaded script, the
// breakpoint list and the pause gate between two threads.
#include <QString>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

#include "breakpoint_list.h"
#include "pause_gate.h"
#include "script_record.h"

namespace vantor {
namespace {

struct LineCase {
    const char* source;
    int base;
    int line;
    const char* expected;  // nullptr: no such line (a null text)
};

const LineCase kLineCases[] = {
    {"a\nb\nc", 1, 1, "a"},
    {"a\nb\nc", 1, 3, "c"},
    {"a\nb\nc", 1, 4, nullptr},
    {"a\nb\nc\n", 1, 4, ""},
    {"a\r\nb\r\nc", 1, 2, "b"},
    {"first\n\nthird", 1, 2, ""},
    {"x\ny", 10, 11, "y"},
    {"x\ny", 10, 9, nullptr},
    {"", 1, 1, ""},
    {"", 1, 2, nullptr},
};

TEST(ScriptRecord, LineTexts)
{
    for (const LineCase& c : kLineCases) {
        ScriptRecord record(QString::fromLatin1(c.source), "t.js", c.base);
        const QString text = record.lineText(c.line);
        if (c.expected) {
            EXPECT_EQ(text, QString::fromLatin1(c.expected)) << c.source << " line " << c.line;
            EXPECT_FALSE(text.isNull());
        } else {
            EXPECT_TRUE(text.isNull()) << c.source << " line " << c.line;
        }
    }
}

TEST(ScriptRecord, RememberedOffsetsGiveTheSameTextsInAnyOrder)
{
    QString source;
    for (int i = 1; i <= 500; ++i)
        source += QStringLiteral("line %1\n").arg(i);
    ScriptRecord record(source, "long.js", 1);
    for (int line : {250, 3, 499, 250, 1, 500, 120})
        EXPECT_EQ(record.lineText(line), QStringLiteral("line %1").arg(line));
    EXPECT_EQ(record.fileName(), "long.js");
}

TEST(BreakpointList, IdentifiersAreStablePositions)
{
    BreakpointList list;
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.find("example.js", 3), -1);
    EXPECT_EQ(list.add("example.js", 3), 0);
    EXPECT_EQ(list.add("example.js", 3), 1);
    EXPECT_EQ(list.add("module.js", 5), 2);
    EXPECT_EQ(list.find("example.js", 3), 0);  // the first of two on one line
    EXPECT_EQ(list.find("Example.js", 3), -1);
    EXPECT_EQ(list.find("example.js", 5), -1);

    list.removeAll("example.js");
    EXPECT_EQ(list.find("example.js", 3), -1);
    EXPECT_EQ(list.find("module.js", 5), 2);
    EXPECT_EQ(list.add("example.js", 3), 3);  // after the invalid entries
    EXPECT_EQ(list.find("example.js", 3), 3);
    EXPECT_FALSE(list.isEmpty());
}

// Waits in another thread; tells whether it got through. A waiter still
// blocked at the end is let go, so that a broken gate fails the test
// instead of hanging it.
class Waiter {
public:
    explicit Waiter(PauseGate& gate)
        : gate_(gate), thread_([this] { gate_.wait(); passed_ = true; })
    {
    }
    ~Waiter()
    {
        if (!passed_)
            gate_.abandon();
        thread_.join();
    }
    bool passes(int ms = 5000) { return QTest::qWaitFor([this] { return passed_.load(); }, ms); }
    bool passed() const { return passed_.load(); }

private:
    PauseGate& gate_;
    std::atomic<bool> passed_{false};
    std::thread thread_;
};

TEST(PauseGate, AFreeGateLetsTheFirstWaitThroughAndHoldsTheSecond)
{
    PauseGate gate;
    gate.wait();  // free: taken without blocking
    EXPECT_TRUE(gate.isTaken());
    Waiter second(gate);
    QTest::qWait(100);
    EXPECT_FALSE(second.passed());
    gate.release();
    EXPECT_TRUE(second.passes());
    EXPECT_TRUE(gate.isTaken());
    gate.open();
}

TEST(PauseGate, ReleaseBeforeTheFirstPauseMakesItBlock)
{
    PauseGate gate;
    gate.release();  // taken on behalf of the run
    Waiter first(gate);
    QTest::qWait(100);
    EXPECT_FALSE(first.passed());
    gate.release();
    EXPECT_TRUE(first.passes());
    gate.open();
}

TEST(PauseGate, TwoQuickReleasesOfABlockedRunCountAsTwo)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        PauseGate gate;
        gate.release();
        auto blocked = std::make_unique<Waiter>(gate);
        ASSERT_TRUE(QTest::qWaitFor([&] { return gate.hasWaiter(); }, 5000));
        // Both presses come before the blocked thread can wake.
        gate.release();
        gate.release();
        ASSERT_TRUE(blocked->passes()) << attempt;
        blocked.reset();
        // The second press freed the gate again: the next pause passes too.
        Waiter next(gate);
        ASSERT_TRUE(next.passes()) << attempt;
    }
}

TEST(PauseGate, OpenLeavesItFreeAndAbandonNeverBlocksAgain)
{
    PauseGate gate;
    gate.release();
    {
        Waiter blocked(gate);
        QTest::qWait(50);
        gate.open();
        EXPECT_TRUE(blocked.passes());
    }
    gate.abandon();
    EXPECT_FALSE(gate.isTaken());
    gate.release();  // a late control press
    for (int i = 0; i < 3; ++i) {
        Waiter later(gate);
        EXPECT_TRUE(later.passes());
    }
}

}  // namespace
}  // namespace vantor
