#include "demo_run.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest/QTest>

#include "demo_folder.h"
#include "message_box_closer.h"

namespace demos_test {

namespace {

constexpr int kDeadlineMs = 90000;

QStringList fileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void writeRecordingXdgOpen(const QString& dir, const QString& log)
{
    QFile script(dir + QStringLiteral("/xdg-open"));
    if (!script.open(QIODevice::WriteOnly))
        return;
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1'\n").arg(log).toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
}

}  // namespace

DemoRunner::DemoRunner(const QString& apitestDir)
    : programDir_(binDir()), environment_(QProcessEnvironment::systemEnvironment())
{
    const QString tools = scratch_.filePath(QStringLiteral("tools"));
    const QString runtime = scratch_.filePath(QStringLiteral("runtime"));
    QDir().mkpath(tools);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeRecordingXdgOpen(tools, scratch_.filePath(QStringLiteral("opened.txt")));

    environment_.insert(QStringLiteral("APITEST_DIR"), apitestDir);
    environment_.insert(QStringLiteral("PATH"), tools + QLatin1Char(':') + environment_.value(QStringLiteral("PATH")));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment_.insert(QStringLiteral("TAVIX_INPUT_BACKEND"), QStringLiteral("recording"));
    environment_.insert(QStringLiteral("TAVIX_INPUT_LOG"), scratch_.filePath(QStringLiteral("input.txt")));
    environment_.remove(QStringLiteral("TAVIX_DEMO_PICTURE_URL"));
    environment_.remove(QStringLiteral("TAVIX_DEMO_WEB_HOST"));
}

DemoRun DemoRunner::run(const QString& demo) const
{
    return runProgram(programDir_ + QLatin1Char('/') + demo, {});
}

DemoRun DemoRunner::runProgram(const QString& program, const QStringList& arguments) const
{
    DemoRun result;
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.setWorkingDirectory(scratch_.path());
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        result.err = QStringLiteral("cannot start ") + program;
        return result;
    }
    // Spin this thread's event loop while waiting: the test's clipboard is
    // served from it, and boxes are answered as soon as they show.
    MessageBoxCloser closer;
    result.ended = QTest::qWaitFor(
        [&] {
            closer.poke();
            return process.state() == QProcess::NotRunning;
        },
        kDeadlineMs);
    if (!result.ended) {
        process.kill();
        process.waitForFinished();
    }
    result.boxesAnswered = closer.boxesSeen();
    result.crashed = process.exitStatus() != QProcess::NormalExit;
    result.exitCode = result.crashed ? -1 : process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QStringList DemoRunner::opened() const
{
    return fileLines(scratch_.filePath(QStringLiteral("opened.txt")));
}

QStringList DemoRunner::inputCalls() const
{
    return fileLines(scratch_.filePath(QStringLiteral("input.txt")));
}

}  // namespace demos_test
