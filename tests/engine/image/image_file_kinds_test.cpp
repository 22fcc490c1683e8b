// Picture files that are not plain files: FIFOs, links, unusable names.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "fifo_checks.h"
#include "image_fixtures.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;

namespace {

class SpecialFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        TX_api_initialize();
        ASSERT_TRUE(dir.isValid());
        fifo = dir.filePath("pipe.png");
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // A link to the FIFO is followed the same way.
        fifoLink = dir.filePath("pipe-link.png");
        ASSERT_TRUE(QFile::link(fifo, fifoLink));
        picture = dir.filePath("a.png");
        ASSERT_TRUE(noise(8, 6, 3).save(picture));
    }

    QTemporaryDir dir;
    QString fifo;
    QString fifoLink;
    QString picture;
};

struct ReadCase {
    const char* name;
    std::function<bool(const QByteArray& special, const QByteArray& plain)> call;
};

const ReadCase kReaders[] = {
    {"read", [](const QByteArray& special, const QByteArray&) { return TX_image_read(special); }},
    {"concatPath first",
     [](const QByteArray& special, const QByteArray& plain) {
         return TX_image_concatPath(special, plain, 5, plain + ".out.png", "png", -1);
     }},
    {"concatPath second",
     [](const QByteArray& special, const QByteArray& plain) {
         return TX_image_concatPath(plain, special, 5, plain + ".out.png", "png", -1);
     }},
    {"load file URL",
     [](const QByteArray& special, const QByteArray&) {
         return TX_image_load(QUrl::fromLocalFile(QString::fromUtf8(special)).toEncoded());
     }},
};

TEST_F(SpecialFiles, ReadersRefuseFifosWithoutBlocking)
{
    for (const QString& special : {fifo, fifoLink}) {
        for (const ReadCase& c : kReaders) {
            SCOPED_TRACE(std::string(c.name) + " of " + special.toStdString());
            LogCapture log;
            const bool done =
                withDeadline(c.name, [&] { return c.call(special.toUtf8(), picture.toUtf8()); });
            EXPECT_FALSE(done);
            EXPECT_TRUE(log.contains("not a regular file")) << log.lines().join('\n').toStdString();
            EXPECT_TRUE(isFifo(fifo));
        }
    }
}

TEST_F(SpecialFiles, LoadStillReadsAPlainFileUrl)
{
    ASSERT_TRUE(TX_image_load(QUrl::fromLocalFile(picture).toEncoded()));
    EXPECT_EQ(working().size(), QSize(8, 6));
}

struct WriteCase {
    const char* name;
    std::function<bool(const QByteArray& target, const QByteArray& plain)> call;
};

const WriteCase kWriters[] = {
    {"save",
     [](const QByteArray& target, const QByteArray&) {
         working() = solid(5, 5, Qt::green);
         return TX_image_save(target, "png", -1);
     }},
    {"concatPath",
     [](const QByteArray& target, const QByteArray& plain) {
         return TX_image_concatPath(plain, plain, 5, target, "png", -1);
     }},
};

TEST_F(SpecialFiles, WritersNeverReplaceAFifo)
{
    for (const QString& target : {fifo, fifoLink}) {
        for (const WriteCase& c : kWriters) {
            SCOPED_TRACE(std::string(c.name) + " to " + target.toStdString());
            LogCapture log;
            EXPECT_FALSE(
                withDeadline(c.name, [&] { return c.call(target.toUtf8(), picture.toUtf8()); }));
            EXPECT_TRUE(log.contains("not a regular file")) << log.lines().join('\n').toStdString();
            EXPECT_TRUE(isFifo(fifo));
            EXPECT_TRUE(QFileInfo(fifoLink).isSymLink());
        }
    }
}

TEST_F(SpecialFiles, WritersReplaceTheFileALinkNamesAndKeepTheLink)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("store"));
    const QString real = dir.filePath("store/real.png");
    const QString link = dir.filePath("latest.png");
    ASSERT_TRUE(solid(2, 2, Qt::red).save(real));
    ASSERT_TRUE(QFile::link(real, link));
    for (const WriteCase& c : kWriters) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QFile::remove(real));
        ASSERT_TRUE(solid(2, 2, Qt::red).save(real));
        EXPECT_TRUE(c.call(link.toUtf8(), picture.toUtf8()));
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), real);
        EXPECT_NE(QImage(real).size(), QSize(2, 2));
    }
}

TEST_F(SpecialFiles, SaveFailuresThatNeedNoFolderAreLogged)
{
    struct Case {
        const char* name;
        QByteArray path;
        const char* logged;
    };
    const Case cases[] = {
        {"empty path", "", "path is empty"},
        {"name too long", (dir.path() + "/" + QString(300, 'b') + ".png").toUtf8(), "Cannot write"},
    };
    working() = solid(4, 4, Qt::blue);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture log;
        EXPECT_FALSE(TX_image_save(c.path, "png", -1));
        EXPECT_TRUE(log.contains(c.logged)) << log.lines().join('\n').toStdString();
    }
    // No working file is left behind.
    EXPECT_TRUE(QDir(dir.path())
                    .entryList({"*bbbb*"}, QDir::AllEntries | QDir::Hidden | QDir::System)
                    .isEmpty());
}

}  // namespace
