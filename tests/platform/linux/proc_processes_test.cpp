// The process table read from a tree laid out as /proc lays it out.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

#include "linux/proc_processes.h"

namespace {

using tavix::platform::ProcessEntry;
using tavix::platform::proc::desktopProcesses;

class ProcTable : public ::testing::Test {
protected:
    void addProcess(long pid, const QByteArray& name, const QByteArray& display)
    {
        const QString dir = dir_.filePath(QString::number(pid));
        ASSERT_TRUE(QDir().mkpath(dir));
        write(dir + "/comm", name + "\n");
        write(dir + "/environ",
              QByteArray("HOME=/h") + '\0' + "DISPLAY=" + display + '\0' + "TERM=x" + '\0');
    }
    void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::string root() const { return dir_.path().toStdString(); }

    QTemporaryDir dir_;
};

TEST_F(ProcTable, ListsThisDesktopsProcessesWithTheirExecutableNames)
{
    addProcess(100, "bash", ":7");
    addProcess(101, "Vantor", ":7");
    addProcess(102, "Vantor", ":79");                  // another desktop
    addProcess(103, "Vantor", "");                     // no desktop at all
    ASSERT_TRUE(QDir().mkpath(dir_.filePath("104")));  // environment unreadable: left out
    ASSERT_TRUE(QDir().mkpath(dir_.filePath("sys")));  // not a process
    write(dir_.filePath("self"), "not a process");

    auto table = desktopProcesses(root(), ":7");
    ASSERT_TRUE(table.has_value());
    std::sort(table->begin(), table->end(),
              [](const ProcessEntry& a, const ProcessEntry& b) { return a.pid < b.pid; });
    ASSERT_EQ(table->size(), 2u);
    EXPECT_EQ((*table)[0].pid, 100);
    EXPECT_EQ((*table)[0].executableName, "bash");
    EXPECT_EQ((*table)[1].pid, 101);
    EXPECT_EQ((*table)[1].executableName, "Vantor");

    EXPECT_FALSE(desktopProcesses(root() + "/none", ":7").has_value());
}

TEST(ProcessSnapshot, TheRealTableHoldsThisProgram)
{
    const auto table = tavix::platform::processSnapshot();
    ASSERT_TRUE(table.has_value());
    const std::int64_t self = tavix::platform::currentProcessId();
    EXPECT_EQ(self, getpid());
    const auto found = std::find_if(table->begin(), table->end(),
                                    [self](const ProcessEntry& p) { return p.pid == self; });
    ASSERT_NE(found, table->end());
    EXPECT_EQ(found->executableName, "platform_linux_test");
}

}  // namespace
