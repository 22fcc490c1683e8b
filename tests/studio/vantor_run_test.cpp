// vantor-run as a real child process on scripts written by the tests.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "script_harness.h"

namespace {

struct RunResult {
    int exitCode = -1;
    QString out;
    QString err;
};

class VantorRun : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& text)
    {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }

    RunResult run(const QStringList& arguments,
                  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir_.path());
        process.start(qEnvironmentVariable("VANTOR_RUN"), arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << "vantor-run did not finish";
        RunResult result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    RunResult runScript(const QByteArray& text,
                        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
    {
        return run({write("script.js", text)}, environment);
    }

    QTemporaryDir dir_;
};

TEST_F(VantorRun, PrintsLogLinesOnStandardOutputAndExitsZero)
{
    const RunResult result = runScript(
        "log.info('one');\nvar n = 2;\r\nlog.info('two ' + n);\nlog.info(typeof cs + typeof app);\n");
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "one\ntwo 2\nobjectobject\n");
    EXPECT_FALSE(result.err.contains("uncaught exception"));
}

TEST_F(VantorRun, LogLinesGoToStandardOutputOnlyAndDiagnosticsAreOneLineEach)
{
    const RunResult result = runScript(
        "log.info('only once');\nrequire('absent-module.js');\nlog.info('two\\nlines');\n");
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "only once\ntwo\nlines\n");
    EXPECT_FALSE(result.err.contains("only once")) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("lines")) << result.err.toStdString();
    // require()'s search, one line a directory (the caller's ".", then the
    // empty entry of require.paths), and its failure.
    const QStringList lines = result.err.split('\n');
    const int search = lines.indexOf(".");
    ASSERT_GE(search, 0) << result.err.toStdString();
    EXPECT_EQ(lines.mid(search, 3),
              (QStringList{".", "", "require() file not found: absent-module.js"}));
    EXPECT_EQ(lines.count(""), 2) << result.err.toStdString();  // that entry and the end
    EXPECT_TRUE(result.err.endsWith('\n'));
}

TEST_F(VantorRun, AnUncaughtExceptionGoesToStandardErrorWithItsLineAndExitsOne)
{
    const RunResult result =
        runScript("log.info('before');\r\nvar a = 1;\r\nthrow new Error('boom');\r\nlog.info('after');\r\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "before\n");
    EXPECT_TRUE(result.err.contains("uncaught exception: Error: boom (line 3)")) << result.err.toStdString();
}

TEST_F(VantorRun, ASyntaxErrorExitsOneWithItsLineNumber)
{
    const RunResult result = runScript("var x = 1;\nvar y = (;\nlog.info('never');\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.contains("uncaught exception: SyntaxError")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("(line 2)")) << result.err.toStdString();
}

TEST_F(VantorRun, AWrongCallIsAnOrdinaryScriptException)
{
    const RunResult result = runScript(
        "try { cs.mouseLeftClick('x'); } catch (e) { log.info('caught ' + e.name); }\n"
        "cs.mouseMove();\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "caught SyntaxError\n");
    EXPECT_TRUE(result.err.contains("(line 2)")) << result.err.toStdString();
}

TEST_F(VantorRun, MissingOrUnreadableScriptsGiveTheUsageAndExitTwo)
{
    for (const QStringList& arguments :
         {QStringList{}, QStringList{dir_.filePath("absent.js")}, QStringList{dir_.path()},
          QStringList{"a.js", "b.js"}}) {
        const RunResult result = run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains("usage: vantor-run script.js")) << result.err.toStdString();
        EXPECT_EQ(result.out, "");
    }
}

// Scripts saved in UTF-16 or in Chinese Windows' code page run as the studio
// reads them; bytes that are no such text are refused, not run half-decoded.
TEST_F(VantorRun, ScriptsAreReadInTheirOwnEncoding)
{
    RunResult result =
        runScript(QByteArray("\xFF\xFE"
                             "l\0o\0g\0.\0i\0n\0f\0o\0(\0'\0\x2D\x4E'\0)\0",
                             28));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QString::fromUtf8("中\n"));
    result = runScript("log.info('\xD6\xD0\xCE\xC4');\r\n");
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QString::fromUtf8("中文\n"));

    result = runScript("log.info('caf\xE9');\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains("not text in UTF-8")) << result.err.toStdString();
    EXPECT_EQ(result.out, "");
}

TEST_F(VantorRun, RequireSearchesTheWorkingDirectoryFirst)
{
    write("greeting.js", "exports.text = 'hello from a module';");
    const RunResult result = runScript("log.info(require('greeting.js').text);");
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "hello from a module\n");
}

TEST_F(VantorRun, RequireFindsTheModulesBesideAScriptRunFromAnotherFolder)
{
    ASSERT_TRUE(QDir(dir_.path()).mkpath("project/lib"));
    write("project/greeting.js", "exports.text = 'beside the script';");
    write("project/lib/deep.js", "exports.text = 'in a folder beside the script';");
    // A module of the same name in the working folder loses to the script's own.
    write("greeting.js", "exports.text = 'from the working folder';");
    const QString script =
        write("project/script.js",
              "log.info(require('greeting.js').text);\nlog.info(require('lib/deep.js').text);\n");
    QTemporaryDir elsewhere;
    QProcess process;
    process.setWorkingDirectory(elsewhere.path());
    process.start(qEnvironmentVariable("VANTOR_RUN"), {script});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()),
              "beside the script\nin a folder beside the script\n");

    // Started from the folder that holds the other module, the script's own still wins.
    const RunResult result = run({script});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith("beside the script\n")) << result.out.toStdString();
}

TEST_F(VantorRun, FileReadsGiveTheWholeTextOfFilesOfUnknownSize)
{
    // /proc/self/maps reports a size of 0 and holds tens of kilobytes: a read
    // sized from the reported size ends after a few kilobytes, mid-line.
    const RunResult result = runScript(
        "var t = file.read('/proc/self/maps');\n"
        "var lines = t.split('\\n');\n"
        "log.info(t.length);\n"
        "log.info(t.charAt(t.length - 1) == '\\n');\n"
        "var bad = 0;\n"
        "for (var i = 0; i < lines.length - 1; i++)\n"
        "  if (!/^[0-9a-f]+-[0-9a-f]+ /.test(lines[i])) bad++;\n"
        "log.info(bad);\n"
        "log.info(file.readLineByNum('/proc/self/maps', lines.length - 1) != '');\n"
        "log.info(file.readBytes('/proc/self/maps').length > 8192);\n");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList out = result.out.split('\n');
    ASSERT_GE(out.size(), 5) << result.out.toStdString();
    EXPECT_GT(out[0].toInt(), 8192) << "the whole of /proc/self/maps";
    EXPECT_EQ(out.mid(1, 4), (QStringList{"true", "0", "true", "true"}));
}

TEST_F(VantorRun, CsArgumentsReachTheEngineTruncatedAndInOrder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TAVIX_INPUT_BACKEND", "recording");
    environment.insert("TAVIX_INPUT_LOG", dir_.filePath("input.log"));
    const RunResult result = runScript(
        "cs.mouseLeftClick(10.7, 20.2);\ncs.mouseDrag(1, 2, 3, 4);\ncs.mouseMove(-5, -6);\n"
        "log.info(String(cs.keyPress(65)));\n",
        environment);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "undefined\n");
    QFile log(dir_.filePath("input.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], "SetCursorPos(10,20)");
    EXPECT_TRUE(lines[1].startsWith("mouse_event(0x8002,10,20,")) << lines[1].toStdString();
    EXPECT_EQ(lines[3], "SetCursorPos(1,2)");
    EXPECT_TRUE(lines.contains("SetCursorPos(-5,-6)"));
    EXPECT_TRUE(lines.last().startsWith("keybd_event(")) << lines.last().toStdString();
}

// A script and the calls the recording input backend must see for it.
struct HeldCase {
    const char* name;
    const char* script;
    int exitCode;
    int scriptCalls;           // the calls the script's own lines inject
    QStringList releaseCalls;  // what follows them, each a prefix
    const char* released;      // the log line's list, or nullptr for none
};

TEST_F(VantorRun, WhatTheScriptLeavesDownIsReleasedAtTheEndAndNothingElseIsSent)
{
    const HeldCase cases[] = {
        {"exception",
         "cs.keyDown(17); cs.mouseLeftDown(10,10); var o={}; o.x.y=1;",
         1,
         3,
         {"SetCursorPos(", "mouse_event(0x8004,", "keybd_event(0x11,0x00,0x2,0)"},
         "left mouse button, key 17 (Ctrl)"},
        {"normal end, last pressed first",
         "cs.mouseRightDown(3,4); cs.keyDown(0x141); cs.keyDown(16); cs.mouseMiddleDown(1,1);\n"
         "cs.keyDown(0x41); cs.mouseRightDown(5,5);",
         0,
         9,
         {"SetCursorPos(", "mouse_event(0x8040,", "keybd_event(0x10,0x00,0x2,0)",
          "keybd_event(0x41,0x00,0x2,0)", "SetCursorPos(", "mouse_event(0x8010,"},
         "middle mouse button, key 16 (Shift), key 65 (A), right mouse button"},
        {"up calls",
         "cs.keyDown(16); cs.keyUp(16); cs.mouseLeftDown(5,5); cs.mouseLeftUp(6,6);",
         0,
         6,
         {},
         nullptr},
        {"clicks and taps end with their button or key up",
         "cs.mouseRightDown(5,5); cs.mouseRightClick(5,5); cs.keyDown(65); cs.keyPress(65+256);\n"
         "cs.mouseLeftDown(1,1); cs.mouseDrag(1,1,2,2); cs.mouseMiddleDown(1,1); "
         "cs.mouseMiddleDoubleClick(1,1);",
         0,
         2 + 3 + 1 + 2 + 2 + 4 + 2 + 5,
         {},
         nullptr},
        {"held through a caught exception, released by the script",
         "cs.keyDown(18); try { null.x; } catch (e) {} cs.keyUp(18);",
         0,
         2,
         {},
         nullptr},
    };
    for (const HeldCase& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TAVIX_INPUT_BACKEND", "recording");
        const QString logPath =
            dir_.filePath(QStringLiteral("input-%1.log").arg(qHash(QString(c.name))));
        environment.insert("TAVIX_INPUT_LOG", logPath);
        const RunResult result = runScript(c.script, environment);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        QFile log(logPath);
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QStringList calls = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(calls.size(), c.scriptCalls + c.releaseCalls.size())
            << calls.join(' ').toStdString();
        for (int i = 0; i < c.releaseCalls.size(); ++i)
            EXPECT_TRUE(calls[c.scriptCalls + i].startsWith(c.releaseCalls[i]))
                << i << ": " << calls[c.scriptCalls + i].toStdString();
        const QString line = "Released what the script still held down: ";
        if (c.released)
            EXPECT_TRUE(result.err.contains(line + c.released + "\n")) << result.err.toStdString();
        else
            EXPECT_FALSE(result.err.contains(line)) << result.err.toStdString();
        EXPECT_FALSE(result.out.contains(line)) << "standard output is the script's own";
    }
}

TEST_F(VantorRun, RunsWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    const RunResult result =
        runScript("log.info(getColor(1, 1) === '' ? 'no screen' : 'screen');", environment);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "no screen\n");
}

TEST_F(VantorRun, TheExampleTourRunsAndLogsWhatItFound)
{
    const QString tour = qEnvironmentVariable("TAVIX_SOURCE_DIR") + "/examples/tour.js";
    const RunResult result = run({tour});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              "picture: made\n"
              "red square at: 40,8\n"
              "checker board at: 8,20\n"
              "file says: found red at 40,8 (2 lines)\n"
              "QR code reads: Hello from Tavix\n"
              "zip: written, unzipped QR code reads: Hello from Tavix\n");
    // Info-ZIP reads the archive back with the password.
    QProcess unzip;
    unzip.start("unzip", {"-P", "secret", "-t", dir_.filePath("tavix-tour/tour.zip")});
    ASSERT_TRUE(unzip.waitForFinished(30000));
    EXPECT_EQ(unzip.exitCode(), 0) << unzip.readAllStandardOutput().toStdString();
    EXPECT_TRUE(QImage(dir_.filePath("tavix-tour/picture.png")).size() == QSize(64, 48));
}

}  // namespace
