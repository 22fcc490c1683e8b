// Runs one demo program the way the tests need it: its prepared folder named
// by APITEST_DIR, a recording xdg-open first on PATH, the recording input
// backend, and the message boxes it shows answered from outside.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace demos_test {

struct DemoRun {
    bool ended = false;      // ended by itself, not killed at the deadline
    bool crashed = false;
    int exitCode = -1;
    int boxesAnswered = 0;   // message boxes found and answered while it ran
    QString out;
    QString err;
    QStringList lines() const { return out.split(QLatin1Char('\n')); }
};

class DemoRunner {
public:
    explicit DemoRunner(const QString& apitestDir);

    // Where the programs are taken from (default: the build's program folder).
    void setProgramDir(const QString& dir) { programDir_ = dir; }
    void setEnv(const QString& name, const QString& value) { environment_.insert(name, value); }

    DemoRun run(const QString& demo) const;
    // A program other than a demo, in the same environment (the demos script).
    DemoRun runProgram(const QString& program, const QStringList& arguments) const;

    // What the recording xdg-open was asked to open, and the recorded input calls.
    QStringList opened() const;
    QStringList inputCalls() const;
    QString scratch(const QString& name) const { return scratch_.filePath(name); }

private:
    QTemporaryDir scratch_;
    QString programDir_;
    QProcessEnvironment environment_;
};

}  // namespace demos_test
