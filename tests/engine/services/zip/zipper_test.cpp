// Archives written by the engine and read back by Info-ZIP's unzip, archives
// of Info-ZIP's zip unpacked by the engine, and hostile or broken archives.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include "log_capture.h"
#include "tavix.h"
#include "zip_test_support.h"

using namespace tavix::test;

namespace {

// Enough varied bytes to need several 4096-byte chunks.
QByteArray bigContent()
{
    QByteArray data;
    for (int i = 0; i < 20000; ++i)
        data += QByteArray::number(i * 7919 % 10007) + (i % 13 ? " " : "\n");
    return data;
}

class Zipper : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }

    // source/ with files at two depths, an empty folder and a hidden file.
    QString makeTree()
    {
        const QString root = path("source");
        writeFile(root + "/a.txt", "alpha");
        writeFile(root + "/sub/b.txt", "beta");
        writeFile(root + "/sub/deeper/c.bin", bigContent());
        writeFile(root + "/.hidden", "secret");
        writeFile(root + "/grüße.txt", "utf-8 name");
        QDir().mkpath(root + "/empty");
        return root;
    }

    QTemporaryDir dir;
};

const QStringList kTreeNames = {"a.txt", "grüße.txt", "sub/b.txt", "sub/deeper/c.bin"};

TEST_F(Zipper, SingleFileArchiveIsReadByUnzipWithAndWithoutPassword)
{
    const QString file = path("in/report.txt");
    writeFile(file, bigContent());

    ASSERT_TRUE(TX_utils_zipFile(u8(file), u8(path("plain.zip")), nullptr));
    EXPECT_EQ(unzipNames(path("plain.zip")), QStringList{"report.txt"});
    const ProgramRun plain = run("unzip", {"-p", path("plain.zip"), "report.txt"});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, bigContent());
    EXPECT_EQ(run("unzip", {"-t", path("plain.zip")}).exitCode, 0);

    ASSERT_TRUE(TX_utils_zipFile(u8(file), u8(path("locked.zip")), "s3cret"));
    const ProgramRun locked = run("unzip", {"-P", "s3cret", "-p", path("locked.zip"), "report.txt"});
    EXPECT_EQ(locked.exitCode, 0);
    EXPECT_EQ(locked.out, bigContent());
    EXPECT_NE(run("unzip", {"-P", "wrong", "-t", path("locked.zip")}).exitCode, 0);

    // Our own unpacking needs the password again.
    TX_utils_unZip(u8(path("locked.zip")), u8(path("back.txt")), "s3cret");
    EXPECT_EQ(readFile(path("back.txt")), bigContent());
    LogCapture log;
    TX_utils_unZip(u8(path("locked.zip")), u8(path("nopass.txt")), nullptr);
    TX_utils_unZip(u8(path("locked.zip")), u8(path("wrongpass.txt")), "wrong");
    EXPECT_FALSE(QFile::exists(path("nopass.txt")));
    EXPECT_FALSE(QFile::exists(path("wrongpass.txt")));
    EXPECT_TRUE(log.contains("open zipfile failed") || log.contains("file write failed"));
}

TEST_F(Zipper, MissingSourcesReportFalseAndLeaveTheArchiveAtTheDestination)
{
    writeFile(path("keep.txt"), "kept");
    ASSERT_TRUE(TX_utils_zipFile(u8(path("keep.txt")), u8(path("old.zip")), nullptr));
    const QByteArray archive = readFile(path("old.zip"));
    const struct {
        std::function<bool()> call;
        const char* line;
    } cases[] = {
        {[&] { return TX_utils_zipFile(u8(path("absent.txt")), u8(path("old.zip")), nullptr); },
         "file not exists or open"},
        {[&] { return TX_utils_zipDir(u8(path("no-such-folder")), u8(path("old.zip")), nullptr); },
         "not a directory:"},
        {[&] { return TX_utils_zipFile(u8(path("absent.txt")), u8(path("new.zip")), nullptr); },
         "file not exists or open"},
    };
    for (const auto& c : cases) {
        LogCapture log;
        EXPECT_FALSE(c.call()) << c.line;
        EXPECT_TRUE(log.contains(c.line)) << log.lines().join(" | ").toStdString();
        EXPECT_EQ(readFile(path("old.zip")), archive) << c.line;
    }
    EXPECT_FALSE(QFileInfo::exists(path("new.zip")));
    // No working file is left behind either.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"keep.txt", "old.zip"}));
}

TEST_F(Zipper, DirectoryArchiveNamesFilesRelativeToTheRootWithoutHiddenOrEmptyFolders)
{
    const QString root = makeTree();
    // With or without the trailing separator the names are the same relative ones.
    for (const QString& given : {root + "/", root}) {
        const QString archive = path("tree.zip");
        ASSERT_TRUE(TX_utils_zipDir(u8(given), u8(archive), nullptr)) << given.toStdString();
        EXPECT_EQ(unzipNames(archive), kTreeNames) << given.toStdString();
        EXPECT_EQ(run("unzip", {"-t", archive}).exitCode, 0);
    }

    ASSERT_TRUE(TX_utils_zipDir(u8(root + "/"), u8(path("tree-locked.zip")), "pw"));
    QDir().mkpath(path("by-unzip"));
    ASSERT_EQ(run("unzip", {"-q", "-P", "pw", path("tree-locked.zip"), "-d", path("by-unzip")}).exitCode, 0);
    QStringList expected = treeOf(root);
    expected.removeAll(".hidden=secret");
    expected.removeAll("empty/");
    EXPECT_EQ(treeOf(path("by-unzip")), expected);

    // And our own unpacking of our own archive gives the same tree.
    TX_utils_unZipDir(u8(path("tree-locked.zip")), u8(path("by-us/")), "pw");
    EXPECT_EQ(treeOf(path("by-us")), expected);
}

TEST_F(Zipper, DirectoryArchiveKeepsTimeStampsAndSkipsItselfAndLinkLoops)
{
    const QString root = makeTree();
    QFile::link(root, root + "/sub/loop");
    const QString archive = root + "/self.zip";
    ASSERT_TRUE(TX_utils_zipDir(u8(root), u8(archive), nullptr));
    ASSERT_TRUE(TX_utils_zipDir(u8(root), u8(archive), nullptr));
    EXPECT_EQ(unzipNames(archive), kTreeNames);
    EXPECT_EQ(QDir(root).entryList(QDir::Files | QDir::Hidden).filter(".self.zip").size(), 0)
        << "no working file left behind";

    const QString out = path("stamped");
    ASSERT_EQ(run("unzip", {"-q", archive, "-d", out}).exitCode, 0);
    const qint64 drift = QFileInfo(out + "/a.txt").lastModified().secsTo(QFileInfo(root + "/a.txt").lastModified());
    EXPECT_LE(std::abs(drift), 2);
}

TEST_F(Zipper, ArchivesOfInfoZipAreUnpackedWithTheirFoldersAndPassword)
{
    const QString root = makeTree();
    ASSERT_EQ(run("zip", {"-q", "-r", "-P", "zpw", path("infozip.zip"), "."}, root).exitCode, 0);
    ASSERT_TRUE(unzipNames(path("infozip.zip")).contains("empty/"));

    LogCapture log;
    const QString out = path("out/deep/dest/");
    TX_utils_unZipDir(u8(path("infozip.zip")), u8(out), "zpw");
    EXPECT_EQ(treeOf(out), treeOf(root));
    EXPECT_FALSE(log.contains("failed")) << log.lines().join('\n').toStdString();

    // unZip writes the first entry only.
    ASSERT_EQ(run("zip", {"-q", "-P", "zpw", path("three.zip"), "a.txt", "sub/b.txt", "sub/deeper/c.bin"}, root).exitCode, 0);
    TX_utils_unZip(u8(path("three.zip")), u8(path("first.txt")), "zpw");
    EXPECT_EQ(readFile(path("first.txt")), "alpha");
    EXPECT_EQ(QDir(dir.path()).entryList({"b.txt", "c.bin"}, QDir::Files).size(), 0);
}

TEST_F(Zipper, UnpackingIntoANonEmptyFolderSaysSoAndOverwrites)
{
    writeFile(path("src/a.txt"), "new");
    writeFile(path("src/b.txt"), "bee");
    ASSERT_TRUE(TX_utils_zipDir(u8(path("src/")), u8(path("ab.zip")), nullptr));
    writeFile(path("dest/a.txt"), "old and longer");
    writeFile(path("dest/keep.txt"), "untouched");

    LogCapture log;
    // Without a trailing separator the entries still go inside the folder.
    TX_utils_unZipDir(u8(path("ab.zip")), u8(path("dest")), nullptr);
    EXPECT_TRUE(log.contains("dir is not empty"));
    EXPECT_EQ(treeOf(path("dest")), (QStringList{"a.txt=new", "b.txt=bee", "keep.txt=untouched"}));
    EXPECT_FALSE(QFile::exists(path("desta.txt")));
}

TEST_F(Zipper, HostileEntryNamesWriteNothingOutsideTheDestination)
{
    const QString archive = path("hostile.zip");
    {
        QuaZip zip(archive);
        ASSERT_TRUE(zip.open(QuaZip::mdCreate));
        for (const char* name : {"../evil", "/abs", "C:\\x", "c:drive", "sub/../../evil2", "..\\evil3", "\\back",
                                 "ok/fine.txt"}) {
            QuaZipFile entry(&zip);
            ASSERT_TRUE(entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name)));
            entry.write(QByteArray("payload of ") + name);
            entry.close();
        }
        zip.close();
    }
    const QString box = path("box/dest/");
    LogCapture log;
    TX_utils_unZipDir(u8(archive), u8(box), nullptr);

    EXPECT_EQ(treeOf(path("box")), (QStringList{"dest/", "dest/ok/", "dest/ok/fine.txt=payload of ok/fine.txt"}));
    EXPECT_EQ(treeOf(dir.path()).filter("evil").size(), 0);
    EXPECT_FALSE(QFile::exists("/abs"));
    EXPECT_EQ(log.lines().filter("skipped entry outside the destination").size(), 7);
}

TEST_F(Zipper, ALinkInTheDestinationDoesNotLeadEntriesOutside)
{
    writeFile(path("src/link/planted.txt"), "through the link");
    ASSERT_TRUE(TX_utils_zipDir(u8(path("src/")), u8(path("link.zip")), nullptr));
    QDir().mkpath(path("dest"));
    QDir().mkpath(path("elsewhere"));
    ASSERT_TRUE(QFile::link(path("elsewhere"), path("dest/link")));

    LogCapture log;
    TX_utils_unZipDir(u8(path("link.zip")), u8(path("dest/")), nullptr);
    EXPECT_FALSE(QFile::exists(path("elsewhere/planted.txt")));
    EXPECT_TRUE(log.contains("through a link"));
}

TEST_F(Zipper, ADamagedEntryIsNotWrittenAndTheNextOnesAre)
{
    writeFile(path("src/1-first.txt"), "first");
    writeFile(path("src/2-broken.txt"), bigContent());
    writeFile(path("src/3-last.txt"), "last");
    ASSERT_EQ(run("zip", {"-q", path("damaged.zip"), "1-first.txt", "2-broken.txt", "3-last.txt"}, path("src")).exitCode, 0);
    QByteArray bytes = readFile(path("damaged.zip"));
    const int middle = bytes.indexOf("2-broken.txt") + 12 + 3000;
    for (int i = 0; i < 64; ++i)
        bytes[middle + i] = char(bytes[middle + i] ^ 0x5A);
    writeFile(path("damaged.zip"), bytes);
    writeFile(path("out/2-broken.txt"), "previous content");

    LogCapture log;
    TX_utils_unZipDir(u8(path("damaged.zip")), u8(path("out/")), nullptr);
    EXPECT_EQ(readFile(path("out/1-first.txt")), "first");
    EXPECT_EQ(readFile(path("out/2-broken.txt")), "previous content");
    EXPECT_EQ(readFile(path("out/3-last.txt")), "last");
    EXPECT_TRUE(log.contains("read failed"));
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no working file left behind";
}

TEST_F(Zipper, MissingCorruptAndLockedInputsFailWithTheirLogLines)
{
    writeFile(path("garbage.zip"), QByteArray(5000, 'G'));
    writeFile(path("file.txt"), "content");
    ASSERT_TRUE(TX_utils_zipFile(u8(path("file.txt")), u8(path("locked.zip")), "right"));

    struct Case {
        std::function<void()> call;
        const char* line;
    };
    const std::vector<Case> cases = {
        {[&] { TX_utils_unZipDir(u8(path("none.zip")), u8(path("o1/")), nullptr); }, "file not exists"},
        {[&] { TX_utils_unZipDir(u8(path("garbage.zip")), u8(path("o2/")), nullptr); }, "open zip failed"},
        {[&] { TX_utils_unZipDir(u8(path("locked.zip")), u8(path("o3/")), "wrong"); }, " open failed"},
        {[&] { TX_utils_unZipDir(u8(path("locked.zip")), u8(path("file.txt/sub/")), "right"); }, "create failed"},
        {[&] { TX_utils_unZip(u8(path("none.zip")), u8(path("o4.txt")), nullptr); }, "open zipfile failed"},
        {[&] { TX_utils_unZip(u8(path("garbage.zip")), u8(path("o5.txt")), nullptr); }, "open zipfile failed"},
        {[&] { TX_utils_unZip(u8(path("locked.zip")), u8(path("no-dir/o6.txt")), "right"); }, "file write failed"},
        {[&] { EXPECT_FALSE(TX_utils_zipFile(u8(path("file.txt")), u8(path("no-dir/x.zip")), nullptr)); }, "zip not create"},
        {[&] { EXPECT_FALSE(TX_utils_zipDir(u8(dir.path()), u8(path("no-dir/x.zip")), nullptr)); }, "Could not create zip:"},
        {[&] { EXPECT_FALSE(TX_utils_zipFile(nullptr, nullptr, nullptr)); }, "zip not create"},
        {[&] { EXPECT_FALSE(TX_utils_zipDir(nullptr, nullptr, nullptr)); }, "Could not create zip:"},
        {[&] { TX_utils_unZip(nullptr, nullptr, nullptr); }, "open zipfile failed"},
        {[&] { TX_utils_unZipDir(nullptr, nullptr, nullptr); }, "file not exists"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        LogCapture log;
        cases[i].call();
        EXPECT_TRUE(log.contains(cases[i].line)) << i << ": " << log.lines().join(" | ").toStdString();
    }
    for (const char* made : {"o1", "o2", "o3", "o4.txt", "o5.txt", "no-dir"})
        EXPECT_TRUE(!QFileInfo::exists(path(made)) || QDir(path(made)).isEmpty()) << made;
    EXPECT_EQ(readFile(path("file.txt")), "content");
}

TEST_F(Zipper, ZipDirOfAnEmptyFolderMakesAnEmptyArchiveAndAFolderInTheWayIsLeftAlone)
{
    QDir().mkpath(path("empty-folder"));
    ASSERT_TRUE(TX_utils_zipDir(u8(path("empty-folder")), u8(path("empty.zip")), nullptr));
    // Nothing but the end-of-directory record: an archive without entries.
    EXPECT_TRUE(readFile(path("empty.zip")).startsWith(QByteArray("PK\x05\x06", 4)));
    EXPECT_EQ(run("unzip", {"-Z1", path("empty.zip")}).out.trimmed(), "Empty zipfile.");

    // A folder at the archive path cannot be replaced by an archive.
    QDir().mkpath(path("taken.zip"));
    EXPECT_FALSE(TX_utils_zipDir(u8(path("empty-folder")), u8(path("taken.zip")), nullptr));
    EXPECT_TRUE(QFileInfo(path("taken.zip")).isDir());
}

}  // namespace
