// Unpacking is bounded: an entry never grows past its declared size, and one
// that would not fit the destination's free space is skipped while the other
// entries go on.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include "../file/file_fixture.h"
#include "log_capture.h"
#include "tavix.h"
#include "zip_test_support.h"

using namespace tavix::test;

namespace {

class ZipBounds : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(ZipBounds, AnEntryLargerThanTheFreeSpaceIsSkippedAndTheOthersAreWritten)
{
    TmpfsVolume volume(512);
    if (!volume.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    // 8 MB of zeros pack into a few kilobytes.
    writeFile(path("src/big.bin"), QByteArray(8 << 20, '\0'));
    writeFile(path("src/small.txt"), "small");
    ASSERT_TRUE(TX_utils_zipDir(u8(path("src")), u8(path("bomb.zip")), nullptr));
    ASSERT_TRUE(TX_utils_zipFile(u8(path("src/big.bin")), u8(path("big.zip")), nullptr));
    ASSERT_LT(QFileInfo(path("bomb.zip")).size(), 100 * 1024);

    LogCapture log;
    TX_utils_unZipDir(u8(path("bomb.zip")), u8(volume.path("out/")), nullptr);
    EXPECT_EQ(readFile(volume.path("out/small.txt")), "small");
    EXPECT_FALSE(QFileInfo::exists(volume.path("out/big.bin")));
    EXPECT_TRUE(
        log.contains("skipped entry of 8388608 bytes that does not fit the free space: big.bin"))
        << log.lines().join(" | ").toStdString();

    log.clear();
    TX_utils_unZip(u8(path("big.zip")), u8(volume.path("single.bin")), nullptr);
    EXPECT_FALSE(QFileInfo::exists(volume.path("single.bin")));
    EXPECT_TRUE(log.contains("entry of 8388608 bytes does not fit the free space"));
    // Nothing half-written is left on the volume.
    EXPECT_EQ(QDir(volume.path("")).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// Writes `size` as the declared unpacked size of entry `name`, in its local
// header (30 bytes before its name) and its central record (46 bytes before).
void declareEntrySize(QByteArray& archive, const QByteArray& name, quint32 size)
{
    const int local = archive.indexOf(name) - 30;
    ASSERT_GE(local, 0);
    ASSERT_EQ(archive.mid(local, 4), QByteArray("PK\x03\x04"));
    qToLittleEndian(size, archive.data() + local + 22);
    const int central = archive.indexOf(name, archive.indexOf(QByteArray("PK\x01\x02", 4))) - 46;
    ASSERT_EQ(archive.mid(central, 4), QByteArray("PK\x01\x02", 4));
    qToLittleEndian(size, archive.data() + central + 24);
}

TEST_F(ZipBounds, AnEntryRunningPastItsDeclaredSizeIsNotWrittenAndTheOthersAre)
{
    writeFile(path("src/a-long.txt"), QByteArray(100000, 'x'));
    writeFile(path("src/b-short.txt"), "short");
    ASSERT_TRUE(TX_utils_zipDir(u8(path("src")), u8(path("lying.zip")), nullptr));
    QByteArray archive = readFile(path("lying.zip"));
    declareEntrySize(archive, "a-long.txt", 1000);
    writeFile(path("lying.zip"), archive);
    writeFile(path("out/a-long.txt"), "the old content");

    LogCapture log;
    TX_utils_unZipDir(u8(path("lying.zip")), u8(path("out/")), nullptr);
    EXPECT_EQ(readFile(path("out/b-short.txt")), "short");
    EXPECT_EQ(readFile(path("out/a-long.txt")), "the old content");
    EXPECT_TRUE(log.contains("a-long.txt")) << log.lines().join(" | ").toStdString();
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"a-long.txt", "b-short.txt"}));
}

}  // namespace
