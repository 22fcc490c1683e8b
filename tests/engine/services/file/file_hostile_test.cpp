// Hostile paths for the file family and the file digest: contents longer than
// the size reported to the caller, and files whose reading never ends or whose
// opening blocks.
#include <QProcess>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

#include "fifo_checks.h"
#include "file_fixture.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;

namespace {

constexpr std::size_t kGuard = 4096;
constexpr char kCanary = '\x5a';

struct Reader {
    const char* name;
    std::function<int(const char* path, char* out)> read;
};

const Reader kReaders[] = {
    {"read", [](const char* p, char* out) { return TX_file_read(p, out, "UTF-8"); }},
    {"readBytes", [](const char* p, char* out) { return TX_file_readBytes(p, out); }},
    {"readLineByNum", [](const char* p, char* out) { return TX_file_readLineByNum(p, 1, out); }},
};

// Reads into a buffer sized by the documented rule from the size the caller
// saw, followed by a guard zone that must stay untouched.
struct GuardedRead {
    int stored = -1;
    std::string text;
    bool guardIntact = false;
};

GuardedRead readGuarded(const Reader& reader, const std::string& path, int seenSize)
{
    const std::size_t capacity = std::size_t(std::max(seenSize, 0)) + TX_FILE_READ_MARGIN;
    std::vector<char> buffer(capacity + kGuard, kCanary);
    GuardedRead result;
    result.stored = reader.read(path.c_str(), buffer.data());
    result.text.assign(buffer.data(), strnlen(buffer.data(), capacity));
    result.guardIntact = std::all_of(buffer.begin() + long(capacity), buffer.end(),
                                     [](char c) { return c == kCanary; });
    return result;
}

class ProcFile : public ::testing::TestWithParam<Reader> {};

TEST_P(ProcFile, ContentBeyondTheReportedSizeIsCutAtTheBuffer)
{
    // /proc/self/maps reports size 0 and holds tens of kilobytes here.
    const std::string path = "/proc/self/maps";
    const int seen = TX_file_getFileSize(path.c_str());
    EXPECT_EQ(seen, 0);
    const GuardedRead got = readGuarded(GetParam(), path, seen);
    EXPECT_TRUE(got.guardIntact);
    EXPECT_GT(got.stored, 0);
    EXPECT_LT(got.stored, int(TX_FILE_READ_MARGIN));
    EXPECT_EQ(int(got.text.size()), got.stored);
}

INSTANTIATE_TEST_SUITE_P(File, ProcFile, ::testing::ValuesIn(kReaders),
                         [](const auto& info) { return std::string(info.param.name); });

class GrownFile : public ScratchDir, public ::testing::WithParamInterface<Reader> {};

TEST_P(GrownFile, ContentAddedAfterTheSizeWasReportedIsCut)
{
    putBytes(path("log.txt"), QByteArray(1000, 'a'));
    const int seen = TX_file_getFileSize(cpath("log.txt").c_str());
    ASSERT_EQ(seen, 1000);
    // A second writer appends 64 KB after the caller sized its buffer.
    ASSERT_EQ(QProcess::execute(
                  "sh", {"-c", "head -c 65536 /dev/zero | tr '\\0' b >> \"$0\"", path("log.txt")}),
              0);
    ASSERT_EQ(QFileInfo(path("log.txt")).size(), 1000 + 65536);
    const GuardedRead got = readGuarded(GetParam(), cpath("log.txt"), seen);
    EXPECT_TRUE(got.guardIntact);
    EXPECT_EQ(got.stored, seen + int(TX_FILE_READ_MARGIN) - 1);
    EXPECT_EQ(got.text.substr(0, 1000), std::string(1000, 'a'));
}

INSTANTIATE_TEST_SUITE_P(File, GrownFile, ::testing::ValuesIn(kReaders),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SpecialFiles, ContentFunctionsRefuseDevicesAndFifosWithoutBlocking)
{
    QTemporaryDir dir;
    const std::string fifo = (dir.path() + "/pipe").toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    LogCapture log;

    EXPECT_EQ(withDeadline("getFileSize(fifo)", [&] { return TX_file_getFileSize(fifo.c_str()); }),
              0);
    EXPECT_EQ(
        withDeadline("getFileLiens(/dev/zero)", [] { return TX_file_getFileLiens("/dev/zero"); }),
        0);
    EXPECT_EQ(
        withDeadline("getFileLiens(fifo)", [&] { return TX_file_getFileLiens(fifo.c_str()); }), 0);
    const std::string zeroDigest =
        withDeadline("md5(/dev/zero)", [] { return std::string(TX_utils_md5("/dev/zero")); });
    EXPECT_EQ(zeroDigest, "");
    std::vector<char> out(TX_FILE_READ_MARGIN, kCanary);
    EXPECT_EQ(
        withDeadline("read(/dev/zero)", [&] { return TX_file_read("/dev/zero", out.data(), ""); }),
        0);
    EXPECT_EQ(
        withDeadline("read(fifo)", [&] { return TX_file_read(fifo.c_str(), out.data(), ""); }), 0);
    EXPECT_FALSE(
        withDeadline("append(fifo)", [&] { return TX_file_append(fifo.c_str(), "x", ""); }));
    EXPECT_FALSE(withDeadline("copy(fifo)", [&] {
        return TX_file_copy(fifo.c_str(), (dir.path() + "/copy").toUtf8().constData());
    }));
    EXPECT_TRUE(log.contains("not a regular file: /dev/zero"))
        << log.lines().join('\n').toStdString();
    EXPECT_TRUE(log.contains("not a regular file: " + QString::fromStdString(fifo)));
}

// Writers that replace their target whole would put a regular file in the
// place of a device or FIFO: they refuse such targets, also behind a link.
TEST(SpecialFiles, WritersRefuseTargetsThatAreNoRegularFiles)
{
    QTemporaryDir dir;
    const QString fifo = dir.path() + "/pipe";
    const QString fifoLink = dir.path() + "/pipe-link";
    const QString device = dir.path() + "/null";
    const QString source = dir.path() + "/src.txt";
    ASSERT_EQ(mkfifo(fifo.toUtf8().constData(), 0600), 0);
    ASSERT_EQ(::symlink("pipe", fifoLink.toUtf8().constData()), 0);
    // Our own node of the null device, where this machine lets us make one.
    const bool haveDevice =
        ::mknod(device.toUtf8().constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    putBytes(source, "src");

    struct Target {
        QString path;
        mode_t kind;  // what lstat must still find there
    };
    std::vector<Target> targets = {{fifo, S_IFIFO}, {fifoLink, S_IFLNK}};
    if (haveDevice)
        targets.push_back({device, S_IFCHR});
    const std::pair<const char*, std::function<bool(const char*)>> writers[] = {
        {"TX_file_write", [](const char* p) { return TX_file_write(p, "x", "UTF-8"); }},
        {"TX_file_copy",
         [&](const char* p) { return TX_file_copy(source.toUtf8().constData(), p); }},
    };
    LogCapture log;
    for (const Target& target : targets) {
        const QByteArray p = target.path.toUtf8();
        for (const auto& [name, writeTo] : writers) {
            EXPECT_FALSE(
                withDeadline(name, [&, &writeTo = writeTo] { return writeTo(p.constData()); }))
                << name << " " << p.constData();
            struct stat st {};
            ASSERT_EQ(::lstat(p.constData(), &st), 0) << p.constData();
            EXPECT_EQ(st.st_mode & S_IFMT, target.kind) << name << " " << p.constData();
            EXPECT_TRUE(
                log.contains(QStringLiteral("%1: not a regular file: %2").arg(name, target.path)))
                << log.lines().join('\n').toStdString();
        }
    }
    struct stat st {};
    ASSERT_EQ(::stat(fifo.toUtf8().constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    // Reads through the link refuse the FIFO instead of waiting for a writer.
    std::vector<char> out(TX_FILE_READ_MARGIN, kCanary);
    EXPECT_EQ(
        withDeadline("readBytes(link to fifo)",
                     [&] { return TX_file_readBytes(fifoLink.toUtf8().constData(), out.data()); }),
        0);
}

// A link to a regular file stays a link: the file it points to gets the content.
TEST(LinkedTargets, WritersReplaceTheFileTheLinkPointsTo)
{
    QTemporaryDir dir;
    const QString real = dir.path() + "/real.txt";
    const QString link = dir.path() + "/link.txt";
    const QString source = dir.path() + "/src.txt";
    putBytes(real, "old");
    putBytes(source, "copied");
    ASSERT_EQ(::symlink("real.txt", link.toUtf8().constData()), 0);

    EXPECT_TRUE(TX_file_write(link.toUtf8().constData(), "written", "UTF-8"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(bytesOf(real), QByteArray("written"));

    EXPECT_TRUE(TX_file_copy(source.toUtf8().constData(), link.toUtf8().constData()));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(bytesOf(real), QByteArray("copied"));
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"link.txt", "real.txt", "src.txt"}));
}

}  // namespace
