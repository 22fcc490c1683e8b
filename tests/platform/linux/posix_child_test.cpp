// Child programs run without a window: arguments arrive intact, exit codes
// come back, a program that outlives its time is killed.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>

#include "tavix/platform/processes.h"

namespace {

using tavix::platform::ChildRun;
using tavix::platform::runHidden;

TEST(RunHidden, PassesEachArgumentWholeAndReportsTheExitCode)
{
    QTemporaryDir dir;
    const std::string out = dir.filePath("args").toStdString();
    // printf '%s\n' writes each argument on a line of its own.
    const ChildRun run = runHidden(
        "/bin/sh",
        {"-c", "printf '%s\\n' \"$@\" > \"$0\"; exit 3", out, "a b", "\"quoted\"", "back\\", ""},
        10000);
    ASSERT_EQ(run.outcome, ChildRun::Finished);
    EXPECT_EQ(run.exitCode, 3);
    QFile file(QString::fromStdString(out));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("a b\n\"quoted\"\nback\\\n\n"));
}

TEST(RunHidden, KillsAProgramThatOutlivesItsTimeAndReportsMissingOnes)
{
    const auto start = std::chrono::steady_clock::now();
    const ChildRun slow = runHidden("/bin/sleep", {"30"}, 300);
    EXPECT_EQ(slow.outcome, ChildRun::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    const ChildRun missing = runHidden("/no/such/program", {}, 1000);
    EXPECT_EQ(missing.outcome, ChildRun::NotStarted);
    EXPECT_FALSE(missing.error.empty());
    EXPECT_STREQ(tavix::platform::ocrProgramName(), "tesseract");
}

}  // namespace
