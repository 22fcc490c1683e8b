// The Vantor program itself, started as a user starts it, on the X display:
// opening a script from the command line, one studio per desktop, keys from
// another X client, and a clean end when the window closes during a run.
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "display.h"

namespace {

QString xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

class VantorProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        ASSERT_TRUE(home_.isValid());
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("HOME", home_.path());
        environment_.insert("XDG_CONFIG_HOME", home_.filePath("config"));
    }

    void TearDown() override
    {
        for (QProcess* process : started_) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
            delete process;
        }
    }

    QString write(const QString& name, const QByteArray& text)
    {
        QFile file(home_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }

    QProcess* start(const QStringList& arguments = {})
    {
        auto* process = new QProcess;
        started_ << process;
        process->setProcessEnvironment(environment_);
        process->setWorkingDirectory(home_.path());
        process->start(qEnvironmentVariable("VANTOR"), arguments);
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    }

    // The studio's visible main window, once it is on screen.
    QString waitForWindow(QProcess* process)
    {
        const QString pid = QString::number(process->processId());
        QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            const QString ids =
                xdotool({"search", "--onlyvisible", "--pid", pid, "--name", "^Lumora"});
            if (!ids.isEmpty())
                return ids.split('\n').first();
            if (process->state() == QProcess::NotRunning)
                break;
            QTest::qWait(50);
        }
        ADD_FAILURE() << "no studio window; stderr: "
                      << process->readAllStandardError().constData();
        return {};
    }

    // Keys as the user types them into the focused studio window.
    void type(const QString& window, const QStringList& keys)
    {
        ASSERT_EQ(QProcess::execute("xdotool", {"windowfocus", "--sync", window}), 0);
        for (const QString& key : keys)
            ASSERT_EQ(QProcess::execute("xdotool", {"key", "--clearmodifiers", key}), 0);
    }

    // File > 退出, the last entry of the File menu.
    void quitThroughTheMenu(const QString& window) { type(window, {"alt+f", "Up", "Return"}); }

    QTemporaryDir home_;
    QProcessEnvironment environment_;
    QList<QProcess*> started_;
};

TEST_F(VantorProgram, OpensTheScriptOfItsCommandLineAndASecondStudioExitsAtOnce)
{
    const QString script = write("hello.js", "log.info('hello');\n");
    // Started from the script's folder with a relative name: the title names the whole path.
    QProcess* first = start({QFileInfo(script).fileName()});
    const QString window = waitForWindow(first);
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(xdotool({"getwindowname", window}), QStringLiteral("Lumora - [%1]").arg(script));
    const QString windowsBefore = xdotool({"search", "--name", "^Lumora"});

    QProcess* second = start({script});
    ASSERT_TRUE(second->waitForFinished(10000)) << "the second studio did not exit";
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(second->readAllStandardError().contains("The process is already running."));
    EXPECT_EQ(xdotool({"search", "--name", "^Lumora"}), windowsBefore);
    EXPECT_EQ(first->state(), QProcess::Running);

    quitThroughTheMenu(window);
    ASSERT_TRUE(first->waitForFinished(15000));
    EXPECT_EQ(first->exitCode(), 0);
}

TEST_F(VantorProgram, ClosingTheWindowDuringARunEndsTheProcessCleanly)
{
    const QString script =
        write("busy.js", "log.info('looping');\nvar i = 0;\nwhile (true) { i = i + 1; }\n");
    QProcess* studio = start({script});
    const QString window = waitForWindow(studio);
    ASSERT_FALSE(window.isEmpty());
    type(window, {"ctrl+F5"});
    QByteArray errors;
    QDeadlineTimer deadline(20000);
    while (!errors.contains("looping\n") && !deadline.hasExpired()) {
        studio->waitForReadyRead(100);
        errors += studio->readAllStandardError();
    }
    ASSERT_TRUE(errors.contains("looping\n")) << "the run did not start";

    quitThroughTheMenu(window);
    ASSERT_TRUE(studio->waitForFinished(15000)) << "the studio did not end";
    errors += studio->readAllStandardError();
    EXPECT_EQ(studio->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(studio->exitCode(), 0);
    EXPECT_FALSE(errors.contains("QThread: Destroyed")) << errors.right(2000).constData();
    EXPECT_FALSE(errors.contains("did not end")) << errors.right(2000).constData();
    // Every message is one line of its own: log.info's line end adds no blank line.
    EXPECT_FALSE(errors.contains("looping\n\n"));
}

}  // namespace
