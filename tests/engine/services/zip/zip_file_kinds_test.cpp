// Archives and unpacked files at paths that are not plain files (FIFOs,
// links), and passwords given for archives that need none.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fifo_checks.h"
#include "log_capture.h"
#include "tavix.h"
#include "zip_test_support.h"

using namespace tavix::test;

namespace {

class ZipSpecialFiles : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeFile(path("src/a.txt"), "alpha");
        writeFile(path("src/sub/b.txt"), "beta");
        ASSERT_TRUE(TX_utils_zipDir(u8(path("src/")), u8(path("plain.zip")), nullptr));
        ASSERT_TRUE(TX_utils_zipFile(u8(path("src/a.txt")), u8(path("locked.zip")), "pw"));
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QString makeFifo(const QString& name)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        const QString fifo = path(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        return fifo;
    }

    QTemporaryDir dir;
};

struct WriteCase {
    const char* name;
    std::function<void(ZipSpecialFiles&, const QString& target)> call;
    const char* logged;
};

const WriteCase kWriters[] = {
    {"zipFile",
     [](ZipSpecialFiles& t, const QString& target) {
         EXPECT_FALSE(TX_utils_zipFile(u8(t.path("src/a.txt")), u8(target), nullptr));
     },
     "zip not create"},
    {"zipDir",
     [](ZipSpecialFiles& t, const QString& target) {
         EXPECT_FALSE(TX_utils_zipDir(u8(t.path("src/")), u8(target), nullptr));
     },
     "Could not create zip:"},
    {"unZip",
     [](ZipSpecialFiles& t, const QString& target) {
         TX_utils_unZip(u8(t.path("plain.zip")), u8(target), nullptr);
     },
     "file write failed"},
};

TEST_F(ZipSpecialFiles, WritersNeverReplaceAFifoOrALinkToOne)
{
    const QString fifo = makeFifo("pipe");
    const QString link = path("pipe-link");
    ASSERT_TRUE(QFile::link(fifo, link));
    for (const QString& target : {fifo, link}) {
        for (const WriteCase& c : kWriters) {
            SCOPED_TRACE(std::string(c.name) + " to " + target.toStdString());
            LogCapture log;
            withDeadline(c.name, [&] { c.call(*this, target); });
            EXPECT_TRUE(isFifo(fifo));
            EXPECT_TRUE(QFileInfo(link).isSymLink());
            EXPECT_TRUE(log.contains("not a regular file")) << log.lines().join('\n').toStdString();
            EXPECT_TRUE(log.contains(c.logged)) << log.lines().join('\n').toStdString();
        }
    }
    EXPECT_TRUE(QDir(dir.path())
                    .entryList({".pipe*"}, QDir::AllEntries | QDir::Hidden | QDir::System)
                    .isEmpty())
        << "no working file left behind";
}

TEST_F(ZipSpecialFiles, UnpackingADirectoryLeavesAFifoInTheWayAndWritesTheOtherEntries)
{
    const QString fifo = makeFifo("out/a.txt");
    LogCapture log;
    withDeadline("unZipDir",
                 [&] { TX_utils_unZipDir(u8(path("plain.zip")), u8(path("out/")), nullptr); });
    EXPECT_TRUE(isFifo(fifo));
    EXPECT_EQ(readFile(path("out/sub/b.txt")), "beta");
    EXPECT_TRUE(log.contains("not a regular file")) << log.lines().join('\n').toStdString();
}

TEST_F(ZipSpecialFiles, AFifoAsTheArchiveIsRefusedWithoutBlocking)
{
    const QString fifo = makeFifo("archive.zip");
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"unZip", [&] { TX_utils_unZip(u8(fifo), u8(path("one.txt")), nullptr); }},
        {"unZipDir", [&] { TX_utils_unZipDir(u8(fifo), u8(path("all/")), nullptr); }},
    };
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        LogCapture log;
        withDeadline(name, call);
        EXPECT_TRUE(log.contains("not a regular file")) << log.lines().join('\n').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(path("one.txt")));
    EXPECT_FALSE(QFileInfo::exists(path("all")));
    EXPECT_TRUE(isFifo(fifo));
}

TEST_F(ZipSpecialFiles, ALinkedTargetStaysALinkAndTheFileItNamesIsReplaced)
{
    // latest.zip -> store/real.zip, relative as such links usually are.
    ASSERT_TRUE(QDir(dir.path()).mkpath("store"));
    const QString real = path("store/real.zip");
    const QString link = path("latest.zip");
    ASSERT_EQ(::symlink("store/real.zip", QFile::encodeName(link).constData()), 0);

    struct Case {
        const char* name;
        std::function<void()> call;
        QStringList names;
    };
    const Case cases[] = {
        {"zipFile",
         [&] { EXPECT_TRUE(TX_utils_zipFile(u8(path("src/a.txt")), u8(link), nullptr)); },
         {"a.txt"}},
        {"zipDir",
         [&] { EXPECT_TRUE(TX_utils_zipDir(u8(path("src/")), u8(link), nullptr)); },
         {"a.txt", "sub/b.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.call();
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(unzipNames(real), c.names);
    }

    // An unpacked file reached through a link: the link stays, its file is written.
    writeFile(path("store/a.txt"), "old");
    ASSERT_EQ(::symlink("store/a.txt", QFile::encodeName(path("a-link.txt")).constData()), 0);
    TX_utils_unZip(u8(path("locked.zip")), u8(path("a-link.txt")), "pw");
    EXPECT_TRUE(QFileInfo(path("a-link.txt")).isSymLink());
    EXPECT_EQ(readFile(path("store/a.txt")), "alpha");
}

TEST_F(ZipSpecialFiles, APasswordForAnArchiveWithoutEncryptionIsNotNeededAndDoesNoHarm)
{
    struct Case {
        const char* name;
        const char* password;
    };
    for (const Case& c :
         {Case{"no password", nullptr}, Case{"a password", "pw"}, Case{"an empty one", ""}}) {
        SCOPED_TRACE(c.name);
        const QString out = path(QString("out-%1/").arg(c.name));
        TX_utils_unZipDir(u8(path("plain.zip")), u8(out), c.password);
        EXPECT_EQ(treeOf(out), QStringList({"a.txt=alpha", "sub/", "sub/b.txt=beta"}));
        const QString one = path(QString("one-%1.txt").arg(c.name));
        TX_utils_unZip(u8(path("plain.zip")), u8(one), c.password);
        EXPECT_TRUE(readFile(one) == "alpha" || readFile(one) == "beta")
            << readFile(one).toStdString();
    }
    // An enciphered archive still needs its password.
    LogCapture log;
    TX_utils_unZip(u8(path("locked.zip")), u8(path("locked.txt")), nullptr);
    EXPECT_FALSE(QFileInfo::exists(path("locked.txt")));
    TX_utils_unZip(u8(path("locked.zip")), u8(path("locked.txt")), "pw");
    EXPECT_EQ(readFile(path("locked.txt")), "alpha");
}

}  // namespace
