// Clip, resize, rotate, gray conversions and joins of the working image.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "image_fixtures.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;

namespace {

class Transform : public ::testing::Test {
protected:
    void SetUp() override { TX_api_initialize(); }
};

// --- clip ---

TEST_F(Transform, ClipCutsAnArgbCopyOfTheRectangle)
{
    const QImage source = noise(500, 400, 21);
    working() = source;
    ASSERT_TRUE(TX_image_clip(0, 0, 300, 300));
    EXPECT_EQ(working().format(), QImage::Format_ARGB32);
    EXPECT_EQ(working(), source.copy(0, 0, 300, 300).convertToFormat(QImage::Format_ARGB32));

    working() = source;
    ASSERT_TRUE(TX_image_clip(123, 45, 7, 9));
    EXPECT_EQ(working().pixel(0, 0), source.pixel(123, 45));
    EXPECT_EQ(working().pixel(6, 8), source.pixel(129, 53));
}

TEST_F(Transform, ClipOutsideTheImageFailsAndKeepsIt)
{
    const QImage source = noise(500, 400, 22);
    const int cases[][4] = {{400, 0, 300, 300}, {-1, 0, 10, 10}, {0, -1, 10, 10}, {0, 0, 0, 10},
                            {0, 0, 10, -5},     {0, 0, 501, 1},  {0, 399, 1, 2},  {2147483600, 0, 100, 1}};
    for (const auto& c : cases) {
        working() = source;
        EXPECT_FALSE(TX_image_clip(c[0], c[1], c[2], c[3])) << c[0] << "," << c[1] << "," << c[2] << "," << c[3];
        EXPECT_EQ(working(), source);
    }
}

TEST_F(Transform, ClipReadsNon32BitImagesByTheirColours)
{
    // 24-bit and 8-bit working images are converted, not read as 4 bytes per pixel.
    working() = withPixel(solid(10, 10, QColor(10, 20, 30), QImage::Format_RGB888), 5, 5, QColor(200, 150, 100));
    ASSERT_TRUE(TX_image_clip(5, 5, 2, 2));
    EXPECT_EQ(working().pixel(0, 0), qRgb(200, 150, 100));
    EXPECT_EQ(working().pixel(1, 1), qRgb(10, 20, 30));

    working() = solid(10, 10, QColor(77, 77, 77), QImage::Format_Grayscale8);
    ASSERT_TRUE(TX_image_clip(1, 1, 3, 3));
    EXPECT_EQ(working().pixel(2, 2), qRgb(77, 77, 77));
}

// --- resize and scale ---

TEST_F(Transform, ResizeAndScaleGiveExactly24BitResults)
{
    for (auto* operation : {TX_image_resize, TX_image_scale}) {
        for (int interpolation = 0; interpolation <= 4; ++interpolation) {
            working() = solid(40, 30, QColor(10, 200, 30));
            ASSERT_TRUE(operation(17, 61, interpolation)) << interpolation;
            EXPECT_EQ(working().size(), QSize(17, 61));
            EXPECT_EQ(working().format(), QImage::Format_RGB888);
            EXPECT_EQ(working().pixel(8, 30), qRgb(10, 200, 30));
        }
    }
}

TEST_F(Transform, ResizeKeepsTheLayoutOfThePicture)
{
    QImage source = solid(20, 10, Qt::white);
    QPainter(&source).fillRect(0, 0, 10, 10, Qt::red);
    working() = source;
    ASSERT_TRUE(TX_image_resize(40, 20, 0));
    EXPECT_EQ(working().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(working().pixel(35, 15), qRgb(255, 255, 255));
}

TEST_F(Transform, ResizeRejectsBadSizesAndInterpolations)
{
    const QImage source = noise(8, 8, 23);
    const int cases[][3] = {{0, 5, 1}, {5, 0, 1}, {-3, 5, 1}, {5, 5, 99}, {5, 5, -1}, {100000, 100000, 1}};
    for (const auto& c : cases) {
        working() = source;
        EXPECT_FALSE(TX_image_resize(c[0], c[1], c[2])) << c[0] << "x" << c[1] << " " << c[2];
        EXPECT_EQ(working(), source);
    }
}

// --- rotate ---

TEST_F(Transform, RotateKeepsTheSizeAndLeavesUncoveredCornersTransparent)
{
    working() = solid(40, 20, QColor(0, 0, 255));
    ASSERT_TRUE(TX_image_rotate(20, 10, 90));
    EXPECT_EQ(working().size(), QSize(40, 20));
    EXPECT_EQ(working().format(), QImage::Format_RGBA8888);
    EXPECT_EQ(working().pixel(0, 0), 0x00000000u);
    EXPECT_EQ(working().pixel(39, 19), 0x00000000u);
    EXPECT_EQ(working().pixel(20, 10), qRgb(0, 0, 255));
}

TEST_F(Transform, RotateTurnsCounterClockwise)
{
    // A red mark right of the centre ends up above it after +90 degrees.
    QImage source = solid(41, 41, Qt::white);
    QPainter(&source).fillRect(30, 18, 6, 5, Qt::red);
    working() = source;
    ASSERT_TRUE(TX_image_rotate(20, 20, 90));
    EXPECT_EQ(working().pixel(20, 7), qRgb(255, 0, 0));
    EXPECT_EQ(working().pixel(33, 20), qRgb(255, 255, 255));
}

// --- grayscale and cvtColor ---

TEST_F(Transform, GrayscaleWeighsRedGreenAndBlue)
{
    working() = withPixel(solid(5, 3, QColor(255, 0, 0)), 4, 2, QColor(0, 0, 255));
    ASSERT_TRUE(TX_image_grayscale(0));
    EXPECT_EQ(working().format(), QImage::Format_Grayscale8);
    EXPECT_EQ(working().size(), QSize(5, 3));
    EXPECT_EQ(qGray(working().pixel(0, 0)), 76);   // 0.299 * 255
    EXPECT_EQ(qGray(working().pixel(4, 2)), 29);   // 0.114 * 255
}

TEST_F(Transform, CvtColorWithAOneChannelCodeGivesGray)
{
    working() = solid(6, 2, QColor(255, 0, 0));
    ASSERT_TRUE(TX_image_cvtColor(11, 0));  // reads the bytes as red, green, blue: red counts as blue
    EXPECT_EQ(qGray(working().pixel(0, 0)), 29);
}

TEST_F(Transform, CvtColorCodesOpenCvRejectsFailAndKeepTheImage)
{
    const QImage source = noise(6, 4, 24);
    for (const int code : {-1, 90 /* wants one-channel YUV */, 100000}) {
        working() = source;
        EXPECT_FALSE(TX_image_cvtColor(code, 0)) << code;
        EXPECT_EQ(working(), source);
    }
    working() = QImage();
    EXPECT_FALSE(TX_image_grayscale(0));
}

TEST_F(Transform, GrayscaleOfAGrayImageIsConvertedFirst)
{
    working() = solid(4, 4, QColor(90, 90, 90), QImage::Format_Grayscale8);
    ASSERT_TRUE(TX_image_grayscale(0));
    EXPECT_EQ(qGray(working().pixel(1, 1)), 90);
}

// --- concat ---

class Concat : public Transform {
protected:
    QImage first = solid(100, 50, Qt::red);
    QImage second = solid(100, 50, Qt::blue);
};

struct JoinCase {
    int direction;
    QSize size;
    QPoint firstAt;   // a pixel that shows the first image
    QPoint secondAt;  // a pixel that shows the second image
};

TEST_F(Concat, EqualSizesAreJoinedAsTheDirectionSays)
{
    const JoinCase cases[] = {
        {3, {200, 50}, {150, 25}, {50, 25}},
        {5, {200, 50}, {50, 25}, {150, 25}},
        {48, {100, 100}, {50, 75}, {50, 25}},
        {80, {100, 100}, {50, 25}, {50, 75}},
    };
    for (const JoinCase& c : cases) {
        record().image = first;
        record().secondImage = second;
        ASSERT_TRUE(TX_image_concat(c.direction));
        EXPECT_EQ(working().size(), c.size) << c.direction;
        EXPECT_EQ(working().format(), QImage::Format_ARGB32);
        EXPECT_EQ(working().pixel(c.firstAt), qRgb(255, 0, 0)) << c.direction;
        EXPECT_EQ(working().pixel(c.secondAt), qRgb(0, 0, 255)) << c.direction;
    }
}

TEST_F(Concat, AnUnknownDirectionOnEqualSizesFailsAndKeepsTheImage)
{
    LogCapture log;
    record().image = first;
    record().secondImage = second;
    EXPECT_FALSE(TX_image_concat(7));
    EXPECT_TRUE(log.contains("Invalid direction specified!"));
    EXPECT_EQ(working(), first);
}

TEST_F(Concat, ASmallerSecondImageIsLaidUnscaledOverTheCentre)
{
    for (const int direction : {5, 3, 7}) {
        record().image = first;
        record().secondImage = solid(40, 20, Qt::blue);
        ASSERT_TRUE(TX_image_concat(direction));
        EXPECT_EQ(working().size(), QSize(100, 50));
        EXPECT_EQ(working().pixel(30, 15), qRgb(0, 0, 255));
        EXPECT_EQ(working().pixel(69, 34), qRgb(0, 0, 255));
        EXPECT_EQ(working().pixel(29, 15), qRgb(255, 0, 0));
        EXPECT_EQ(working().pixel(70, 34), qRgb(255, 0, 0));
        EXPECT_EQ(working().pixel(30, 35), qRgb(255, 0, 0));
    }
}

TEST_F(Concat, TheLargerAreaIsTheCanvasAndTheOtherIsShrunkToFit)
{
    record().image = solid(300, 300, Qt::red);
    record().secondImage = solid(600, 200, Qt::blue);
    ASSERT_TRUE(TX_image_concat(5));
    EXPECT_EQ(working().size(), QSize(600, 200));
    EXPECT_EQ(working().pixel(200, 0), qRgb(255, 0, 0));
    EXPECT_EQ(working().pixel(399, 199), qRgb(255, 0, 0));
    EXPECT_EQ(working().pixel(199, 100), qRgb(0, 0, 255));
    EXPECT_EQ(working().pixel(400, 100), qRgb(0, 0, 255));
}

TEST_F(Concat, EqualAreasMakeTheSecondImageTheCanvas)
{
    record().image = solid(20, 10, Qt::red);
    record().secondImage = solid(10, 20, Qt::blue);
    ASSERT_TRUE(TX_image_concat(5));
    EXPECT_EQ(working().size(), QSize(10, 20));
    // The first image shrinks by min(20/10, 10/20, 1) = 0.5 to 10 x 5 at row 7.
    EXPECT_EQ(working().pixel(5, 7), qRgb(255, 0, 0));
    EXPECT_EQ(working().pixel(5, 11), qRgb(255, 0, 0));
    EXPECT_EQ(working().pixel(5, 6), qRgb(0, 0, 255));
    EXPECT_EQ(working().pixel(5, 12), qRgb(0, 0, 255));
}

TEST_F(Concat, AThinPatchOnALongCanvasKeepsAtLeastOnePixel)
{
    record().image = solid(1000, 1, Qt::red);
    record().secondImage = solid(3, 30, Qt::blue);
    ASSERT_TRUE(TX_image_concat(5));
    EXPECT_EQ(working().size(), QSize(1000, 1));
    EXPECT_EQ(working().pixel(499, 0), qRgb(0, 0, 255));
}

TEST_F(Concat, MissingImagesFail)
{
    record().image = first;
    EXPECT_FALSE(TX_image_concat(5));
    EXPECT_EQ(working(), first);
    record().image = QImage();
    record().secondImage = second;
    EXPECT_FALSE(TX_image_concat(5));
}

TEST_F(Concat, ConcatPathJoinsFilesAndSavesTheResult)
{
    QTemporaryDir dir;
    ASSERT_TRUE(first.save(dir.filePath("a.png")));
    ASSERT_TRUE(second.save(dir.filePath("b.png")));
    const QByteArray a = dir.filePath("a.png").toUtf8();
    const QByteArray b = dir.filePath("b.png").toUtf8();
    const QByteArray out = dir.filePath("made/out.png").toUtf8();

    ASSERT_TRUE(TX_image_concatPath(a, b, 80, out, nullptr, -1));
    EXPECT_EQ(working().size(), QSize(100, 100));
    const QImage saved(QString::fromUtf8(out));
    EXPECT_EQ(saved.size(), QSize(100, 100));
    EXPECT_EQ(saved.pixel(50, 75), qRgb(0, 0, 255));

    const QImage before = working();
    const QByteArray missing = dir.filePath("none.png").toUtf8();
    EXPECT_FALSE(TX_image_concatPath(a, missing, 5, out, "png", -1));
    EXPECT_FALSE(TX_image_concatPath(a, b, 7, out, "png", -1));  // invalid direction
    EXPECT_FALSE(TX_image_concatPath(a, b, 5, out, "no-such-format", -1));
    EXPECT_FALSE(TX_image_concatPath(nullptr, b, 5, out, "png", -1));
    EXPECT_FALSE(TX_image_concatPath(a, b, 5, nullptr, "png", -1));
    EXPECT_EQ(working(), before);
    EXPECT_EQ(QImage(QString::fromUtf8(out)).size(), QSize(100, 100));  // not overwritten
}

}  // namespace
