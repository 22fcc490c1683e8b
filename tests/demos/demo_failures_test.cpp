// The demos where things are missing: no engine library, an engine that
// lacks a function, and a prepared folder that is missing or cannot be
// written. Every demo still ends with exit code 0.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

#include "demo_folder.h"
#include "demo_run.h"

using namespace demos_test;

namespace {

enum class LoadFailure {
    Silent,      // prints nothing at all
    PrintsCode,  // the system's error code on stdout, the loader's text on stderr
    QtLogs,      // a Qt demo: "Failed to load DLL." on its log
};

struct DemoKind {
    const char* name;
    LoadFailure failure;
};

const DemoKind kDemos[] = {
    {"imagedemo", LoadFailure::PrintsCode}, {"devicedemo", LoadFailure::Silent},
    {"sqlitedemo", LoadFailure::PrintsCode}, {"ocrdemo", LoadFailure::PrintsCode},
    {"basedemo", LoadFailure::Silent},       {"utilsdemo", LoadFailure::PrintsCode},
    {"filedemo", LoadFailure::Silent},       {"appdemo", LoadFailure::PrintsCode},
    {"inputdemo", LoadFailure::Silent},      {"toastdemo", LoadFailure::QtLogs},
    {"launchdemo", LoadFailure::QtLogs},
};

std::string show(const char* demo, const DemoRun& run)
{
    return QStringLiteral("%1: exit %2%3\n--- stdout\n%4--- stderr\n%5")
        .arg(demo)
        .arg(run.exitCode)
        .arg(run.crashed ? " (crashed)" : "")
        .arg(run.out, run.err)
        .toStdString();
}

// Copies a demo alone into `dir`, optionally with `library` beside it as libapi.so.
bool placeDemo(const QString& dir, const char* demo, const QString& library = {})
{
    if (!QDir().mkpath(dir))
        return false;
    if (!QFile::copy(binDir() + "/" + demo, dir + "/" + demo))
        return false;
    return library.isEmpty() || QFile::exists(dir + "/libapi.so") || QFile::copy(library, dir + "/libapi.so");
}

void expectEndsWell(const char* demo, const DemoRun& run)
{
    EXPECT_TRUE(run.ended) << demo << " did not end";
    EXPECT_FALSE(run.crashed) << show(demo, run);
    EXPECT_EQ(run.exitCode, 0) << show(demo, run);
}

// Every demo run against a folder that is not usable; only the exit matters
// here, and that none crashes. Returns the runs by name.
QMap<QString, DemoRun> runAll(const QString& apitest)
{
    DemoRunner runner(apitest);
    QMap<QString, DemoRun> runs;
    for (const DemoKind& demo : kDemos) {
        const DemoRun run = runner.run(demo.name);
        expectEndsWell(demo.name, run);
        runs.insert(demo.name, run);
    }
    return runs;
}

// Names and contents of every file under `dir`.
QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(path, file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5) : QByteArray("dir"));
    }
    return files;
}

void setTreeWritable(const QString& dir, bool writable)
{
    const QFile::Permissions read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions enter = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const QFile::Permissions write = writable ? QFile::WriteOwner : QFile::Permissions();
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList paths{dir};
    while (it.hasNext())
        paths << it.next();
    for (const QString& path : paths)
        QFile::setPermissions(path, QFileInfo(path).isDir() ? read | enter | write : read | write);
}

}  // namespace

TEST(DemoFailure, NoLibrary)
{
    QTemporaryDir dir;
    DemoRunner runner(dir.filePath("APItest"));
    runner.setProgramDir(dir.filePath("alone"));
    runner.setEnv("LD_LIBRARY_PATH", "");
    for (const DemoKind& demo : kDemos) {
        ASSERT_TRUE(placeDemo(dir.filePath("alone"), demo.name));
        const DemoRun run = runner.run(demo.name);
        expectEndsWell(demo.name, run);
        switch (demo.failure) {
        case LoadFailure::Silent:
            EXPECT_EQ(run.out, "") << show(demo.name, run);
            EXPECT_EQ(run.err, "") << show(demo.name, run);
            break;
        case LoadFailure::PrintsCode:
            // ENOENT: the library was not found.
            EXPECT_EQ(run.out, "2\n") << show(demo.name, run);
            EXPECT_TRUE(run.err.contains("libapi.so: cannot open shared object file")) << show(demo.name, run);
            break;
        case LoadFailure::QtLogs:
            EXPECT_EQ(run.out, "") << show(demo.name, run);
            EXPECT_TRUE(run.err.contains("Failed to load DLL.")) << show(demo.name, run);
            // Only toastdemo tells the loader's reason first.
            EXPECT_EQ(run.err.contains("Failed to load DLL: "), QString(demo.name) == "toastdemo")
                << show(demo.name, run);
            break;
        }
    }
}

TEST(DemoFailure, MissingFunction)
{
    QTemporaryDir dir;
    const QString stub = qEnvironmentVariable("TAVIX_DEMO_STUB");
    ASSERT_TRUE(QFile::exists(stub)) << stub.toStdString();
    DemoRunner runner(dir.filePath("APItest"));
    runner.setProgramDir(dir.filePath("stubbed"));
    const QString log = dir.filePath("calls.txt");
    runner.setEnv("TAVIX_STUB_LOG", log);
    for (const DemoKind& demo : kDemos) {
        ASSERT_TRUE(placeDemo(dir.filePath("stubbed"), demo.name, stub));
        QFile::remove(log);
        const DemoRun run = runner.run(demo.name);
        expectEndsWell(demo.name, run);
        // Initialised, then stopped at the missing function before calling any other.
        QFile calls(log);
        ASSERT_TRUE(calls.open(QIODevice::ReadOnly)) << demo.name << " never called TX_api_initialize";
        EXPECT_EQ(calls.readAll(), "TX_api_initialize\n") << demo.name;
        EXPECT_EQ(run.out, "") << show(demo.name, run);
        if (demo.failure == LoadFailure::QtLogs)
            EXPECT_TRUE(run.err.contains("Failed to load DLL.")) << show(demo.name, run);
        else
            EXPECT_EQ(run.err, "") << show(demo.name, run);
    }
}

TEST(DemoFailure, MissingFolder)
{
    QTemporaryDir dir;
    const QMap<QString, DemoRun> runs = runAll(dir.filePath("nothing/APItest"));
    EXPECT_TRUE(runs["imagedemo"].out.contains("read image = 0\nread image = 0\n")) << runs["imagedemo"].out.toStdString();
    EXPECT_TRUE(runs["utilsdemo"].out.contains("png data: \n")) << runs["utilsdemo"].out.toStdString();
    EXPECT_TRUE(runs["filedemo"].out.contains("files and dirs num : 0\n")) << runs["filedemo"].out.toStdString();
    EXPECT_EQ(runs["ocrdemo"].out.count("ocr is --------------\n: "), 2);
}

// Read-only by permissions: binding for ordinary users only, so the check that
// nothing changed is made only then; the demos must end well either way.
TEST(DemoFailure, ReadOnlyFolder)
{
    DemoFolder folder;
    ASSERT_TRUE(folder.prepared());
    setTreeWritable(folder.path(), false);
    const QMap<QString, QByteArray> before = snapshot(folder.path());
    const QMap<QString, DemoRun> runs = runAll(folder.path());
    if (geteuid() != 0) {
        EXPECT_TRUE(snapshot(folder.path()) == before) << "the read-only folder changed";
    }
    setTreeWritable(folder.path(), true);
    EXPECT_TRUE(runs["imagedemo"].out.contains("read image = 1\n"));
}

// A folder below a plain file: nothing can be created there, not even by root.
TEST(DemoFailure, UnwritableFolder)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath("plain"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();
    const QMap<QString, DemoRun> runs = runAll(dir.filePath("plain/APItest"));
    EXPECT_TRUE(QFileInfo(dir.filePath("plain")).isFile());
    EXPECT_EQ(QFileInfo(dir.filePath("plain")).size(), 12);
    EXPECT_TRUE(runs["filedemo"].out.contains("isDir     : 0\n")) << runs["filedemo"].out.toStdString();
}
