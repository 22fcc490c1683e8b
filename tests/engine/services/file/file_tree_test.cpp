// Existence, listings, dates, creation, copies, moves, renames and removal.
#include <QDateTime>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "services/file/caller_buffer.h"
#include "file_fixture.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;

namespace {

class FileTree : public ScratchDir {
protected:
    // A small tree: visible files and folders in mixed case, hidden entries,
    // a nested folder.
    void makeTree(const QString& root)
    {
        putBytes(root + "/b.txt", "b");
        putBytes(root + "/A.txt", "a");
        putBytes(root + "/c/deep/x.txt", "x");
        putBytes(root + "/.hidden", "h");
        QDir().mkpath(root + "/.hiddendir");
        QDir().mkpath(root + "/D");
    }

    std::vector<std::string> listed(const QString& dir)
    {
        const std::string p = dir.toStdString();
        const int count = TX_file_listDirCount(p.c_str());
        std::vector<char> buffer(std::size_t(std::max(count, 1)) * 512 + 512, '\x7f');
        const int stored = TX_file_listDir(p.c_str(), buffer.data());
        EXPECT_EQ(stored, count);
        EXPECT_EQ(buffer[std::size_t(std::max(count, 1)) * 512 + 511], '\x7f');
        std::vector<std::string> names;
        for (int i = 0; i < stored; ++i)
            names.emplace_back(buffer.data() + i * 512);
        return names;
    }
};

TEST_F(FileTree, KindsOfPaths)
{
    putBytes(path("f.txt"), "x");
    QDir().mkdir(path("d"));
    struct Case {
        std::string path;
        bool exists, isFile, isDir;
    } cases[] = {
        {cpath("f.txt"), true, true, false},
        {cpath("d"), true, false, true},
        {cpath("d") + "\\", true, false, true},  // backslash separates components too
        {cpath("missing"), false, false, false},
        {"", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(TX_file_exists(c.path.c_str()), c.exists);
        EXPECT_EQ(TX_file_isFile(c.path.c_str()), c.isFile);
        EXPECT_EQ(TX_file_isDir(c.path.c_str()), c.isDir);
    }
    EXPECT_FALSE(TX_file_exists(nullptr));
    EXPECT_FALSE(TX_file_isDir(nullptr));
}

TEST_F(FileTree, IsDirIsFalseForRelativePaths)
{
    QDir().mkdir(path("rel"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    EXPECT_FALSE(TX_file_isDir("rel"));
    EXPECT_TRUE(TX_file_exists("rel"));
    QDir::setCurrent(previous);
}

TEST_F(FileTree, EmptyDirectories)
{
    QDir().mkpath(path("empty"));
    QDir().mkpath(path("dotdir/.git"));
    putBytes(path("dotfile/.keep"), "");
    putBytes(path("file.txt"), "x");
    EXPECT_TRUE(TX_file_isEmptyDir(cpath("empty").c_str()));
    EXPECT_FALSE(TX_file_isEmptyDir(cpath("dotdir").c_str()));
    EXPECT_FALSE(TX_file_isEmptyDir(cpath("dotfile").c_str()));
    EXPECT_TRUE(TX_file_isEmptyDir(cpath("file.txt").c_str()));  // a file lists nothing
    EXPECT_FALSE(TX_file_isEmptyDir(cpath("missing").c_str()));
    EXPECT_FALSE(TX_file_isEmptyDir(nullptr));
}

TEST_F(FileTree, ListingSkipsHiddenAndIgnoresCase)
{
    makeTree(path("tree"));
    EXPECT_EQ(listed(path("tree")), (std::vector<std::string>{"A.txt", "b.txt", "c", "D"}));
    EXPECT_EQ(TX_file_listDirCount(cpath("tree/A.txt").c_str()), 0);
    EXPECT_EQ(TX_file_listDirCount(nullptr), 0);
}

TEST_F(FileTree, ListingOfMissingDirectoryLogs)
{
    LogCapture log;
    char slot[512] = {};
    EXPECT_EQ(TX_file_listDir(cpath("missing").c_str(), slot), 0);
    EXPECT_TRUE(log.contains("Failed to open directory " + path("missing")));
}

TEST_F(FileTree, LongestNamesFitTheirSlot)
{
    // File systems here allow 255 bytes per name; slots hold 511.
    QString longName;
    for (int i = 0; i < 84; ++i)
        longName += QString::fromUtf8("\xe6\x96\x87");  // 252 bytes: within NAME_MAX
    QDir().mkpath(path("long"));
    putBytes(path("long/") + longName + longName.left(1), "x");
    putBytes(path("long/zz"), "z");
    const std::vector<std::string> names = listed(path("long"));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "zz");
    EXPECT_EQ(QString::fromStdString(names[1]), longName + longName.left(1));
}

TEST(ListingSlots, NamesLongerThanASlotAreCutAtAWholeCharacter)
{
    // 200 three-byte characters: 600 bytes, more than a slot holds.
    QByteArray name;
    for (int i = 0; i < 200; ++i)
        name += "\xe6\x96\x87";
    std::vector<char> buffer(2 * 512, '\x7f');
    tavix::file::storeInSlot(buffer.data(), name);
    EXPECT_EQ(std::strlen(buffer.data()), 510u);  // 170 whole characters
    EXPECT_EQ(QByteArray(buffer.data()), name.left(510));
    EXPECT_EQ(buffer[511], '\x7f');
    EXPECT_EQ(buffer[512], '\x7f');
}

TEST_F(FileTree, ListingStoresNoMoreNamesThanTheCountReported)
{
    putBytes(path("race/a.txt"), "a");
    putBytes(path("race/c.txt"), "c");
    const std::string dir = cpath("race");
    const int count = TX_file_listDirCount(dir.c_str());
    ASSERT_EQ(count, 2);
    // Another program adds an entry after the caller sized its buffer.
    putBytes(path("race/b.txt"), "b");
    LogCapture log;
    {
        std::vector<char> exact(std::size_t(count) * 512);  // ASan reports any byte past it
        EXPECT_EQ(TX_file_listDir(dir.c_str(), exact.data()), 2);
        EXPECT_STREQ(exact.data(), "a.txt");
        EXPECT_STREQ(exact.data() + 512, "b.txt");
    }
    {
        std::vector<char> guarded(std::size_t(count) * 512 + 512, '\x7f');
        EXPECT_EQ(TX_file_listDir(dir.c_str(), guarded.data()), 2);
        EXPECT_TRUE(std::all_of(guarded.begin() + count * 512, guarded.end(),
                                [](char c) { return c == '\x7f'; }));
    }
    EXPECT_TRUE(log.contains("storing the 2 that TX_file_listDirCount reported"))
        << log.lines().join('\n').toStdString();
    // Counting again lets the next listing store every name.
    EXPECT_EQ(listed(path("race")), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
    // A folder counted while missing gets no names until it is counted again.
    const std::string later = cpath("later");
    EXPECT_EQ(TX_file_listDirCount(later.c_str()), 0);
    putBytes(path("later/x.txt"), "x");
    char slot[512] = "untouched";
    EXPECT_EQ(TX_file_listDir(later.c_str(), slot), 0);
    EXPECT_STREQ(slot, "untouched");
}

TEST_F(FileTree, CreateMakesOnlyNewEmptyFiles)
{
    EXPECT_TRUE(TX_file_create(cpath("new.txt").c_str()));
    EXPECT_EQ(bytesOf(path("new.txt")), QByteArray());
    putBytes(path("old.txt"), "keep");
    EXPECT_FALSE(TX_file_create(cpath("old.txt").c_str()));
    EXPECT_EQ(bytesOf(path("old.txt")), QByteArray("keep"));
    EXPECT_FALSE(TX_file_create(cpath("no/parent.txt").c_str()));
    EXPECT_FALSE(TX_file_create(nullptr));
}

TEST_F(FileTree, MkdirsCreatesParents)
{
    EXPECT_TRUE(TX_file_mkdirs(cpath("a/b/c").c_str()));
    EXPECT_TRUE(QFileInfo(path("a/b/c")).isDir());
    EXPECT_TRUE(TX_file_mkdirs(cpath("a/b").c_str()));
    putBytes(path("plain"), "x");
    EXPECT_FALSE(TX_file_mkdirs(cpath("plain").c_str()));
    EXPECT_FALSE(TX_file_mkdirs(nullptr));
}

TEST_F(FileTree, RemoveDeletesWholeTreesByAbsoluteAndRelativePath)
{
    putBytes(path("gone.txt"), "x");
    EXPECT_TRUE(TX_file_remove(cpath("gone.txt").c_str()));
    EXPECT_FALSE(QFileInfo::exists(path("gone.txt")));

    putBytes(path("abs/x/y/z.txt"), "z");
    putBytes(path("abs/top.txt"), "t");
    EXPECT_TRUE(TX_file_remove(cpath("abs").c_str()));
    EXPECT_FALSE(QFileInfo::exists(path("abs")));

    putBytes(path("rel/x/y/z.txt"), "z");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    EXPECT_TRUE(TX_file_remove("rel"));
    QDir::setCurrent(previous);
    EXPECT_FALSE(QFileInfo::exists(path("rel")));

    EXPECT_FALSE(TX_file_remove(cpath("missing").c_str()));
    EXPECT_FALSE(TX_file_remove(nullptr));
}

TEST_F(FileTree, RemoveDeletesHiddenEntriesWithTheRestOfTheTree)
{
    makeTree(path("tree"));
    putBytes(path("tree/.git/config"), "hidden folder");
    putBytes(path("tree/c/.deep"), "hidden file below");
    ASSERT_TRUE(QFileInfo::exists(path("tree/.hidden")));
    EXPECT_TRUE(TX_file_remove(cpath("tree").c_str()));
    EXPECT_FALSE(QFileInfo::exists(path("tree")));
}

TEST_F(FileTree, RemoveDeletesLinksWithoutFollowingThem)
{
    putBytes(path("elsewhere/precious.txt"), "p");
    QDir().mkpath(path("victim"));
    ASSERT_EQ(::symlink(cpath("elsewhere").c_str(), cpath("victim/link").c_str()), 0);
    ASSERT_EQ(::symlink(cpath("nowhere").c_str(), cpath("victim/dangling").c_str()), 0);
    EXPECT_TRUE(TX_file_remove(cpath("victim").c_str()));
    EXPECT_FALSE(QFileInfo::exists(path("victim")));
    EXPECT_EQ(bytesOf(path("elsewhere/precious.txt")), QByteArray("p"));
}

// A link named with a trailing separator, or a path ending in "." or "..",
// resolves to a folder other than the entry the path names: removal must never
// reach into it.
TEST_F(FileTree, RemoveNeverReachesThroughLinksOrDotComponents)
{
    putBytes(path("t/target/kept.txt"), "k");
    putBytes(path("t/b/inside.txt"), "i");
    putBytes(path("keep/sub/x.txt"), "x");
    ASSERT_EQ(::symlink(cpath("t/target").c_str(), cpath("t/link").c_str()), 0);
    ASSERT_EQ(::symlink("target/", cpath("t/link2").c_str()), 0);
    const auto intact = [&] {
        return bytesOf(path("t/target/kept.txt")) == "k" && bytesOf(path("t/b/inside.txt")) == "i"
            && bytesOf(path("keep/sub/x.txt")) == "x";
    };
    LogCapture log;
    const std::string refused[] = {
        cpath("t/link2") + "\\.", cpath("t/link2/."), cpath("t/link/.."),      cpath("t/b/."),
        cpath("t/b/./"),          cpath("t/b/.."),    cpath("t/b") + "\\..\\",
    };
    for (const std::string& p : refused) {
        EXPECT_FALSE(TX_file_remove(p.c_str())) << p;
        EXPECT_TRUE(intact()) << p;
    }
    EXPECT_TRUE(QFileInfo(path("t/link2")).isSymLink());
    EXPECT_TRUE(
        log.contains("TX_file_remove: refusing a path that ends in \"..\": " + path("t/b/..")))
        << log.lines().join('\n').toStdString();

    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(path("keep/sub")));
    const bool parentRemoved = TX_file_remove("..");
    const bool ownRemoved = TX_file_remove(".");
    QDir::setCurrent(previous);
    EXPECT_FALSE(parentRemoved);
    EXPECT_FALSE(ownRemoved);
    EXPECT_TRUE(intact());

    // A link with trailing separators is removed as the link itself.
    EXPECT_TRUE(TX_file_remove((cpath("t/link") + "/").c_str()));
    EXPECT_TRUE(TX_file_remove((cpath("t/link2") + "\\/").c_str()));
    EXPECT_FALSE(QFileInfo(path("t/link")).isSymLink());
    EXPECT_FALSE(QFileInfo(path("t/link2")).isSymLink());
    EXPECT_TRUE(intact());
    // A folder with a trailing separator is the folder.
    EXPECT_TRUE(TX_file_remove((cpath("t/b") + "//").c_str()));
    EXPECT_FALSE(QFileInfo::exists(path("t/b")));
}

TEST_F(FileTree, CopyReplacesTheDestinationWhole)
{
    putBytes(path("src.bin"), QByteArray(200000, '\x01') + "end");
    putBytes(path("dst.bin"), "old");
    EXPECT_TRUE(TX_file_copy(cpath("src.bin").c_str(), cpath("dst.bin").c_str()));
    EXPECT_EQ(bytesOf(path("dst.bin")), bytesOf(path("src.bin")));
    EXPECT_TRUE(TX_file_copy(cpath("src.bin").c_str(), cpath("src.bin").c_str()));  // onto itself
    EXPECT_EQ(bytesOf(path("src.bin")).size(), 200003);
    EXPECT_FALSE(TX_file_copy(cpath("missing").c_str(), cpath("dst2").c_str()));
    EXPECT_FALSE(QFileInfo::exists(path("dst2")));
    EXPECT_FALSE(TX_file_copy(cpath("src.bin").c_str(), cpath("no/dir/dst").c_str()));
    EXPECT_FALSE(TX_file_copy(nullptr, nullptr));
}

TEST_F(FileTree, FailedCopyOnAFullVolumeKeepsTheOldDestination)
{
    TmpfsVolume volume(64);
    if (!volume.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    putBytes(path("big.bin"), QByteArray(256 * 1024, 'b'));
    putBytes(volume.path("dst.bin"), "old");
    EXPECT_FALSE(TX_file_copy(cpath("big.bin").c_str(), volume.path("dst.bin").toUtf8().constData()));
    EXPECT_EQ(bytesOf(volume.path("dst.bin")), QByteArray("old"));
    EXPECT_EQ(QDir(volume.path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"dst.bin"});
}

TEST_F(FileTree, MoveNeverOverwrites)
{
    putBytes(path("a.txt"), "a");
    putBytes(path("b.txt"), "b");
    EXPECT_FALSE(TX_file_move(cpath("a.txt").c_str(), cpath("b.txt").c_str()));
    EXPECT_EQ(bytesOf(path("a.txt")), QByteArray("a"));
    EXPECT_EQ(bytesOf(path("b.txt")), QByteArray("b"));
    QDir().mkdir(path("sub"));
    EXPECT_TRUE(TX_file_move(cpath("b.txt").c_str(), cpath("sub/b2.txt").c_str()));
    EXPECT_EQ(bytesOf(path("sub/b2.txt")), QByteArray("b"));
    EXPECT_FALSE(QFileInfo::exists(path("b.txt")));
    EXPECT_FALSE(TX_file_move(cpath("missing").c_str(), cpath("x").c_str()));
}

TEST_F(FileTree, MoveAcrossFileSystems)
{
    TmpfsVolume volume(1024);
    if (!volume.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    putBytes(path("travel.bin"), QByteArray(100000, 't'));
    const QByteArray target = volume.path("travel.bin").toUtf8();
    EXPECT_TRUE(TX_file_move(cpath("travel.bin").c_str(), target.constData()));
    EXPECT_FALSE(QFileInfo::exists(path("travel.bin")));
    EXPECT_EQ(bytesOf(volume.path("travel.bin")), QByteArray(100000, 't'));
    // Too big for the volume: the partial copy is removed, the source stays.
    putBytes(path("huge.bin"), QByteArray(2 * 1024 * 1024, 'h'));
    EXPECT_FALSE(TX_file_move(cpath("huge.bin").c_str(), volume.path("huge.bin").toUtf8().constData()));
    EXPECT_EQ(bytesOf(path("huge.bin")).size(), 2 * 1024 * 1024);
    EXPECT_FALSE(QFileInfo::exists(volume.path("huge.bin")));
    // A link travels as the link, with the same target text; the file it
    // points to stays where it is.
    putBytes(path("real.txt"), "r");
    ASSERT_EQ(::symlink("real.txt", cpath("ln").c_str()), 0);
    EXPECT_TRUE(TX_file_move(cpath("ln").c_str(), volume.path("ln").toUtf8().constData()));
    EXPECT_FALSE(QFileInfo(path("ln")).isSymLink());
    EXPECT_TRUE(QFileInfo(volume.path("ln")).isSymLink());
    EXPECT_EQ(std::filesystem::read_symlink(volume.path("ln").toStdString()), "real.txt");
    EXPECT_EQ(bytesOf(path("real.txt")), QByteArray("r"));
}

TEST_F(FileTree, RenameKeepsTheFolder)
{
    putBytes(path("APItest/fileadd2.txt"), "2");
    EXPECT_TRUE(TX_file_rename(cpath("APItest/fileadd2.txt").c_str(), "fileadd3.txt"));
    EXPECT_EQ(bytesOf(path("APItest/fileadd3.txt")), QByteArray("2"));
    EXPECT_FALSE(QFileInfo::exists(path("APItest/fileadd2.txt")));
    putBytes(path("APItest/other.txt"), "o");
    EXPECT_FALSE(TX_file_rename(cpath("APItest/other.txt").c_str(), "fileadd3.txt"));
    EXPECT_EQ(bytesOf(path("APItest/other.txt")), QByteArray("o"));
    EXPECT_EQ(bytesOf(path("APItest/fileadd3.txt")), QByteArray("2"));
    EXPECT_FALSE(TX_file_rename(cpath("APItest/other.txt").c_str(), nullptr));
}

TEST_F(FileTree, RenameTakesANameNotAPath)
{
    putBytes(path("APItest/f.txt"), "f");
    QDir().mkpath(path("APItest/sub"));
    LogCapture log;
    const char* notNames[] = {"../escaped-by-rename.txt",
                              "..\\escaped.txt",
                              "sub/f2.txt",
                              "sub\\f2.txt",
                              "/abs.txt",
                              ".",
                              "..",
                              ""};
    for (const char* name : notNames)
        EXPECT_FALSE(TX_file_rename(cpath("APItest/f.txt").c_str(), name)) << name;
    EXPECT_EQ(bytesOf(path("APItest/f.txt")), QByteArray("f"));
    const auto everything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    EXPECT_EQ(QDir(path("APItest")).entryList(everything, QDir::Name),
              (QStringList{"f.txt", "sub"}));
    EXPECT_TRUE(QDir(path("APItest/sub")).isEmpty(everything));
    EXPECT_EQ(QDir(dir_.path()).entryList(everything), QStringList{"APItest"});
    EXPECT_TRUE(log.contains("TX_file_rename: not a file name: ../escaped-by-rename.txt"))
        << log.lines().join('\n').toStdString();

    // A link is renamed as the link, also when named with a trailing separator;
    // a path ending in ".." names no entry to rename.
    ASSERT_EQ(::symlink("sub", cpath("APItest/link").c_str()), 0);
    EXPECT_TRUE(TX_file_rename((cpath("APItest/link") + "/").c_str(), "renamed"));
    EXPECT_TRUE(QFileInfo(path("APItest/renamed")).isSymLink());
    EXPECT_TRUE(QFileInfo(path("APItest/sub")).isDir());
    EXPECT_FALSE(TX_file_rename(cpath("APItest/sub/..").c_str(), "moved"));
    EXPECT_TRUE(QFileInfo(path("APItest/f.txt")).isFile());
    EXPECT_FALSE(QFileInfo::exists(path("moved")));
}

TEST_F(FileTree, SizesAndDates)
{
    putBytes(path("sized.bin"), QByteArray(1234, 's'));
    QDir().mkdir(path("folder"));
    const QDateTime when = QDateTime::fromSecsSinceEpoch(1600000000);
    QFile file(path("sized.bin"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    file.close();

    EXPECT_EQ(TX_file_getFileSize(cpath("sized.bin").c_str()), 1234);
    EXPECT_EQ(TX_file_getFileSize(cpath("missing").c_str()), -1);
    EXPECT_EQ(TX_file_getFileSize(cpath("folder").c_str()), -1);
    EXPECT_STREQ(TX_file_getFileLongDate(cpath("sized.bin").c_str()), "1600000000");
    EXPECT_STREQ(TX_file_getFileStringDate(cpath("sized.bin").c_str()),
                 when.toLocalTime().toString("yyyy-MM-dd HH:mm:ss").toUtf8().constData());
    const char* notAFile = "\xe6\x96\x87\xe4\xbb\xb6\xe4\xb8\x8d\xe5\xad\x98\xe5\x9c\xa8\xe6\x88\x96\xe8\x80\x85"
                           "\xe4\xb8\x8d\xe6\x98\xaf\xe4\xb8\x80\xe4\xb8\xaa\xe6\x96\x87\xe4\xbb\xb6";
    EXPECT_STREQ(TX_file_getFileLongDate(cpath("folder").c_str()), notAFile);
    EXPECT_STREQ(TX_file_getFileLongDate(nullptr), notAFile);
    EXPECT_STRNE(TX_file_getFileStringDate(cpath("folder").c_str()), "");
    EXPECT_STREQ(TX_file_getFileStringDate(cpath("missing").c_str()), "");
}

TEST_F(FileTree, NamesAfterTheLastSeparator)
{
    const std::pair<const char*, const char*> cases[] = {
        {"d:/APItest/file.txt", "file.txt"}, {"d:\\APItest\\file.txt", "file.txt"},
        {"plain", "plain"},                  {"dir/", ""},
        {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_STREQ(TX_file_getName(in), out) << in;
    EXPECT_STREQ(TX_file_getName(nullptr), "");
    const std::string huge(20000, 'n');
    const char* name = TX_file_getName(huge.c_str());
    EXPECT_EQ(std::strlen(name), 16383u);
}

TEST(FileNulls, EveryExportTakesNullArguments)
{
    char out[16] = "untouched";
    EXPECT_FALSE(TX_file_append(nullptr, nullptr, nullptr));
    EXPECT_FALSE(TX_file_appendBytes(nullptr, nullptr, 0));
    EXPECT_FALSE(TX_file_copy(nullptr, nullptr));
    EXPECT_FALSE(TX_file_move(nullptr, nullptr));
    EXPECT_FALSE(TX_file_create(nullptr));
    EXPECT_FALSE(TX_file_remove(nullptr));
    EXPECT_FALSE(TX_file_exists(nullptr));
    EXPECT_FALSE(TX_file_mkdirs(nullptr));
    EXPECT_FALSE(TX_file_isDir(nullptr));
    EXPECT_FALSE(TX_file_isEmptyDir(nullptr));
    EXPECT_FALSE(TX_file_isFile(nullptr));
    EXPECT_EQ(TX_file_getFileLiens(nullptr), 0);
    EXPECT_EQ(TX_file_getFileSize(nullptr), -1);
    EXPECT_STRNE(TX_file_getFileLongDate(nullptr), "");
    EXPECT_STREQ(TX_file_getFileStringDate(nullptr), "");
    EXPECT_STREQ(TX_file_getName(nullptr), "");
    EXPECT_EQ(TX_file_listDirCount(nullptr), 0);
    EXPECT_EQ(TX_file_listDir(nullptr, nullptr), 0);
    EXPECT_EQ(TX_file_listDir("/", nullptr), 0);
    EXPECT_EQ(TX_file_read(nullptr, out, nullptr), 0);
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(TX_file_read(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(TX_file_readBytes(nullptr, nullptr), 0);
    EXPECT_EQ(TX_file_readLineByNum(nullptr, 1, nullptr), 0);
    EXPECT_FALSE(TX_file_rename(nullptr, nullptr));
    EXPECT_FALSE(TX_file_write(nullptr, nullptr, nullptr));
}

}  // namespace
