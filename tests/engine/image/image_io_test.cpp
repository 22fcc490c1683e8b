// Loading, output and the plain queries of the working image.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

#include "../hostile_pictures.h"
#include "image_fixtures.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;

namespace {

class WorkingImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        TX_api_initialize();
        ASSERT_TRUE(dir.isValid());
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(WorkingImage, ReadLoadsAFileAndAFailedReadLeavesNoImage)
{
    const QImage picture = noise(30, 20, 1);
    ASSERT_TRUE(picture.save(path("a.png")));
    ASSERT_TRUE(TX_image_read(path("a.png").toUtf8()));
    EXPECT_EQ(working().convertToFormat(QImage::Format_RGB32), picture);

    LogCapture log;
    EXPECT_FALSE(TX_image_read(path("missing.png").toUtf8()));
    EXPECT_TRUE(log.contains("Failed to load image file!"));
    EXPECT_TRUE(working().isNull());
}

TEST_F(WorkingImage, ReadOfNullPathKeepsTheImage)
{
    working() = solid(4, 4, Qt::red);
    EXPECT_FALSE(TX_image_read(nullptr));
    EXPECT_EQ(working().size(), QSize(4, 4));
}

TEST_F(WorkingImage, AHugeSizeClaimedByAHeaderIsRefusedBeforeAllocating)
{
    QFile file(path("huge.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(hugePng());
    file.close();
    LogCapture log;
    EXPECT_FALSE(TX_image_read(path("huge.png").toUtf8()));
    EXPECT_TRUE(log.contains("Refusing to decode a 100000 x 100000 picture"));
    EXPECT_TRUE(working().isNull());

    const QByteArray bytes = hugePng();
    EXPECT_FALSE(TX_image_fromBytes(bytes.constData(), bytes.size()));
    EXPECT_TRUE(log.contains("Refusing to decode"));
}

TEST_F(WorkingImage, ReadFindsFilesByUtf8Name)
{
    const QString name = path(QString::fromUtf8("bild-\xc3\xa4\xe5\x9b\xbe.png"));
    ASSERT_TRUE(solid(3, 2, Qt::blue).save(name));
    EXPECT_TRUE(TX_image_read(name.toUtf8()));
    EXPECT_EQ(working().size(), QSize(3, 2));
}

struct BadData {
    const char* name;
    QByteArray bytes;
};

class UndecodableData : public WorkingImage, public ::testing::WithParamInterface<BadData> {};

TEST_P(UndecodableData, FailsAndKeepsTheWorkingImage)
{
    const QImage before = solid(5, 5, Qt::green);
    working() = before;
    const QByteArray bytes = GetParam().bytes;
    EXPECT_FALSE(TX_image_fromBytes(bytes.constData(), bytes.size()));
    EXPECT_EQ(working(), before);
    EXPECT_FALSE(TX_image_fromBase64(bytes.toBase64().constData()));
    EXPECT_EQ(working(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Image, UndecodableData,
    ::testing::Values(BadData{"Empty", QByteArray()}, BadData{"Text", QByteArray("hello, world")},
                      BadData{"TruncatedPng", encoded(noise(64, 64, 2)).left(100)},
                      BadData{"PngHeaderOf100000x100000", hugePng()},
                      BadData{"PngSignatureOnly", QByteArray("\x89PNG\r\n\x1a\n", 8)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkingImage, FromBase64SkipsCharactersOutsideTheAlphabet)
{
    const QImage picture = noise(7, 9, 3);
    QByteArray text = encoded(picture).toBase64();
    text.insert(10, "\r\n  \t*");
    ASSERT_TRUE(TX_image_fromBase64(text.constData()));
    EXPECT_EQ(working().convertToFormat(QImage::Format_RGB32), picture);
}

TEST_F(WorkingImage, FromBase64RejectsADataUrlPrefixedText)
{
    working() = solid(2, 2, Qt::red);
    // The prefix's letters are decoded as Base64 too, so the bytes are no picture.
    EXPECT_FALSE(TX_image_fromBase64(dataUrl(noise(8, 8, 4)).constData()));
    EXPECT_EQ(working().size(), QSize(2, 2));
}

TEST_F(WorkingImage, NullTextsFailWithoutTouchingTheImage)
{
    working() = solid(2, 2, Qt::red);
    EXPECT_FALSE(TX_image_fromBase64(nullptr));
    EXPECT_FALSE(TX_image_fromBytes(nullptr, 10));
    EXPECT_FALSE(TX_image_load(nullptr));
    EXPECT_FALSE(TX_image_save(nullptr, "png", -1));
    EXPECT_EQ(TX_image_toBase64(nullptr, -1), nullptr);
    EXPECT_EQ(working().size(), QSize(2, 2));
}

TEST_F(WorkingImage, FromBytesWithNegativeLengthReadsUpToTheFirstZero)
{
    // XPM is a text format: no zero byte inside.
    const QByteArray xpm = encoded(solid(3, 4, Qt::red), "XPM");
    ASSERT_FALSE(xpm.isEmpty());
    ASSERT_TRUE(TX_image_fromBytes(xpm.constData(), -1));
    EXPECT_EQ(working().size(), QSize(3, 4));

    const QByteArray png = encoded(solid(3, 4, Qt::red));  // holds zero bytes early on
    EXPECT_FALSE(TX_image_fromBytes(png.constData(), -1));
    EXPECT_TRUE(TX_image_fromBytes(png.constData(), png.size()));
}

TEST_F(WorkingImage, SaveCreatesMissingFoldersAndWritesThePicture)
{
    const QImage picture = noise(16, 8, 5);
    working() = picture;
    const QString target = path("new/deeper/out.png");
    ASSERT_TRUE(TX_image_save(target.toUtf8(), nullptr, -1));
    EXPECT_EQ(QImage(target).convertToFormat(QImage::Format_RGB32), picture);

    ASSERT_TRUE(TX_image_save(path("explicit.bin").toUtf8(), "jpg", 90));
    EXPECT_EQ(QImage(path("explicit.bin"), "JPG").size(), QSize(16, 8));
}

TEST_F(WorkingImage, SaveFailuresLeaveAnExistingFileAlone)
{
    const QString target = path("keep.png");
    ASSERT_TRUE(solid(3, 3, Qt::blue).save(target));
    const QByteArray before = [&] { QFile f(target); f.open(QIODevice::ReadOnly); return f.readAll(); }();

    working() = solid(9, 9, Qt::red);
    EXPECT_FALSE(TX_image_save(target.toUtf8(), "no-such-format", -1));
    QFile after(target);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);

    working() = QImage();
    EXPECT_FALSE(TX_image_save(target.toUtf8(), "png", -1));
}

TEST_F(WorkingImage, SaveFailsWhereTheFolderCannotBeMade)
{
    QFile blocker(path("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    working() = solid(3, 3, Qt::red);
    EXPECT_FALSE(TX_image_save(path("file/sub/out.png").toUtf8(), "png", -1));
}

TEST_F(WorkingImage, ToBase64GivesAListedPngTextWithoutPrefix)
{
    const QImage picture = noise(6, 6, 6);
    working() = picture;
    char* text = TX_image_toBase64("png", 100);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::strncmp(text, "iVBOR", 5), 0);
    EXPECT_EQ(std::strchr(text, '\n'), nullptr);
    EXPECT_EQ(record().buffers.back(), static_cast<void*>(text));
    EXPECT_EQ(QImage::fromData(QByteArray::fromBase64(text)).convertToFormat(QImage::Format_RGB32),
              picture);
    EXPECT_EQ(working(), picture);
}

TEST_F(WorkingImage, ToBase64Failures)
{
    EXPECT_EQ(TX_image_toBase64("png", -1), nullptr);  // no image
    working() = solid(2, 2, Qt::red);
    EXPECT_EQ(TX_image_toBase64(nullptr, -1), nullptr);
    char* empty = TX_image_toBase64("no-such-format", -1);
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty, "");
}

TEST_F(WorkingImage, ToBytesHandsOutAListedPngBlock)
{
    working() = noise(5, 5, 7);
    unsigned char* block = nullptr;
    const int length = TX_image_toBytes(&block, "png", 100);
    ASSERT_GT(length, 8);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::memcmp(block, "\x89PNG", 4), 0);
    EXPECT_EQ(record().buffers.back(), static_cast<void*>(block));
    EXPECT_EQ(QImage::fromData(block, length).size(), QSize(5, 5));
}

TEST_F(WorkingImage, ToBytesFailuresLeaveTheOutParameter)
{
    unsigned char sentinel = 0;
    unsigned char* block = &sentinel;
    EXPECT_EQ(TX_image_toBytes(&block, "png", -1), 0);  // no image
    working() = solid(2, 2, Qt::red);
    EXPECT_EQ(TX_image_toBytes(&block, nullptr, -1), 0);
    EXPECT_EQ(TX_image_toBytes(&block, "no-such-format", -1), 0);
    EXPECT_EQ(block, &sentinel);
    EXPECT_EQ(TX_image_toBytes(nullptr, "png", -1), 0);
    EXPECT_TRUE(record().buffers.empty());
}

TEST_F(WorkingImage, FreeOnlyReportsWhetherThereIsAnImage)
{
    EXPECT_FALSE(TX_image_free());
    working() = solid(2, 3, Qt::red);
    EXPECT_TRUE(TX_image_free());
    EXPECT_TRUE(TX_image_free());
    EXPECT_EQ(working().size(), QSize(2, 3));
}

TEST_F(WorkingImage, PixelReadsAnyFormatAndAnswersOpaqueBlackOutside)
{
    EXPECT_EQ(TX_image_pixel(0, 0), 0u);
    working() = withPixel(solid(4, 3, QColor(1, 2, 3), QImage::Format_RGB888), 3, 2, QColor(200, 100, 50));
    const struct {
        int x, y;
        unsigned int colour;
    } cases[] = {
        {0, 0, 0xFF010203u}, {3, 2, 0xFFC86432u}, {-1, 0, 0xFF000000u},
        {4, 0, 0xFF000000u}, {0, 3, 0xFF000000u}, {0, -1, 0xFF000000u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TX_image_pixel(c.x, c.y), c.colour) << c.x << "," << c.y;

    working() = withPixel(solid(2, 2, QColor(0, 0, 0, 0)), 1, 1, QColor(10, 20, 30, 40));
    EXPECT_EQ(TX_image_pixel(1, 1), 0x280A141Eu);
}

}  // namespace
