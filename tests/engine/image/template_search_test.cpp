// The template search core and TX_image_findImage.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <climits>
#include <gtest/gtest.h>
#include <string>

#include "image/template_search.h"
#include "image_fixtures.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;

namespace {

class FindImage : public ::testing::Test {
protected:
    void SetUp() override { TX_api_initialize(); }

    // Runs TX_image_findImage; the point is (-1, -1) when not found.
    QPoint find(const QImage& source, const QImage& templ, int x1 = 0, int y1 = 0, int x2 = -1,
                int y2 = -1, float threshold = 0.9f, int level = 0)
    {
        record().image = source;
        record().templateImage = templ;
        int x = 999999, y = 999999;
        const bool found = TX_image_findImage(x1, y1, x2, y2, &x, &y, threshold, level);
        EXPECT_EQ(found, QPoint(x, y) != QPoint(-1, -1));
        return QPoint(x, y);
    }
};

QImage pasted(QImage canvas, const QImage& patch, QPoint at)
{
    QPainter(&canvas).drawImage(at, patch);
    return canvas;
}

// A picture shrunk to half the way the search shrinks templates: with blocks
// of an even size aligned to the grid, a bilinear halving keeps them exact.
QImage halved(const QImage& image)
{
    return image.scaled(image.width() / 2, image.height() / 2, Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
}

TEST(LevelFactor, HalvesFromLevelTwoToEight)
{
    const struct {
        int level;
        float factor;
    } cases[] = {{1, 1.0f},  {2, 0.5f}, {3, 0.25f},       {8, 1.0f / 128}, {0, 1.0f},
                 {9, 1.0f}, {-1, 1.0f}, {INT_MIN, 1.0f}, {INT_MAX, 1.0f}};
    for (const auto& c : cases)
        EXPECT_EQ(tavix::image::levelFactor(c.level), c.factor) << c.level;
}

TEST_F(FindImage, ATemplateCutFromTheSourceIsFoundWhereItWasCut)
{
    const QImage source = noise(640, 480, 31);
    const QImage templ = source.copy(120, 80, 40, 30);
    EXPECT_EQ(find(source, templ), QPoint(120, 80));
    EXPECT_EQ(find(source, templ, 100, 60, 400, 300), QPoint(120, 80));
    EXPECT_EQ(find(source, templ, 120, 80, 160, 110), QPoint(120, 80));  // one pixel larger than it
    EXPECT_EQ(find(source, templ, 0, 0, -1, -1, 1.0f), QPoint(120, 80));
}

TEST_F(FindImage, RectanglesThatDoNotHoldTheTemplateFindNothing)
{
    const QImage source = noise(640, 480, 32);
    const QImage templ = source.copy(120, 80, 40, 30);
    LogCapture log;
    EXPECT_EQ(find(source, templ, 200, 200, 600, 400), QPoint(-1, -1));
    EXPECT_TRUE(log.contains("Can't find the image"));
    EXPECT_EQ(find(source, templ, 120, 80, 159, 109), QPoint(-1, -1));  // exactly its size: must fit strictly
    EXPECT_EQ(find(source, templ, 700, 500, 900, 900), QPoint(-1, -1));  // entirely outside
    EXPECT_EQ(find(source, templ, INT_MIN, INT_MIN, INT_MAX, INT_MAX), QPoint(120, 80));
}

TEST_F(FindImage, ATemplateAsLargeAsTheSourceIsNeverFound)
{
    const QImage source = noise(64, 48, 33);
    EXPECT_EQ(find(source, source), QPoint(-1, -1));
    EXPECT_EQ(find(source, noise(65, 10, 34)), QPoint(-1, -1));
}

TEST_F(FindImage, AHalfSizeOccurrenceIsFoundAtTheSecondAttempt)
{
    const QImage templ = blocks(64, 48, 8, 35);
    const QImage source = pasted(blocks(640, 480, 4, 36), halved(templ), QPoint(200, 100));
    EXPECT_EQ(find(source, templ), QPoint(200, 100));
}

TEST_F(FindImage, ShrunkenAttemptsStopBelowEightPixels)
{
    // Halved to 8 x 8 the template is still tried; halved to 7 x 7 it is not.
    const QImage big = blocks(16, 16, 2, 37);
    EXPECT_EQ(find(pasted(noise(300, 200, 38), halved(big), QPoint(50, 60)), big), QPoint(50, 60));
    const QImage small = blocks(14, 14, 2, 39);
    EXPECT_EQ(find(pasted(noise(300, 200, 40), halved(small), QPoint(50, 60)), small), QPoint(-1, -1));
}

TEST_F(FindImage, AttemptZeroRunsAtTheTemplatesOwnSizeHoweverSmall)
{
    const QImage source = noise(200, 150, 41);
    EXPECT_EQ(find(source, source.copy(77, 66, 4, 3), 0, 0, -1, -1, 0.99f), QPoint(77, 66));
}

TEST_F(FindImage, AShrunkenTemplateIsSearchedOnlyInsideTheRectangle)
{
    const QImage templ = blocks(64, 48, 8, 42);
    const QImage source = pasted(blocks(800, 600, 4, 43), halved(templ), QPoint(300, 250));
    EXPECT_EQ(find(source, templ, 250, 200, 500, 400), QPoint(300, 250));
    // The half-size copy lies right of this rectangle: it must not be matched there.
    EXPECT_EQ(find(source, templ, 100, 100, 299, 400), QPoint(-1, -1));
}

TEST_F(FindImage, ThresholdMinusOneAcceptsTheFirstAttempt)
{
    const QImage source = noise(100, 80, 44);
    EXPECT_NE(find(source, noise(20, 20, 45), 0, 0, -1, -1, -1.0f), QPoint(-1, -1));
    EXPECT_EQ(find(source, noise(20, 20, 45), 0, 0, -1, -1, 0.9f), QPoint(-1, -1));
}

TEST_F(FindImage, TheLevelScalesTheRectangleAndThePositionNotThePictures)
{
    const QImage source = noise(400, 300, 46);
    const QImage templ = source.copy(50, 30, 20, 20);
    // Level 2: the search covers the top-left quarter and reports doubled coordinates.
    EXPECT_EQ(find(source, templ, 0, 0, -1, -1, 0.9f, 2), QPoint(100, 60));
    EXPECT_EQ(find(source, source.copy(300, 200, 20, 20), 0, 0, -1, -1, 0.9f, 2), QPoint(-1, -1));
}

TEST_F(FindImage, Non32BitPicturesAreConvertedFirst)
{
    const QImage source = noise(200, 100, 47).convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(find(source, source.copy(30, 40, 25, 15).convertToFormat(QImage::Format_ARGB32_Premultiplied)),
              QPoint(30, 40));
}

TEST_F(FindImage, MissingPicturesFailWithoutTouchingTheOutParameters)
{
    int x = 5, y = 6;
    record().image = noise(50, 50, 48);
    EXPECT_FALSE(TX_image_findImage(0, 0, -1, -1, &x, &y, 0.9f, 0));
    record().image = QImage();
    record().templateImage = noise(5, 5, 49);
    EXPECT_FALSE(TX_image_findImage(0, 0, -1, -1, &x, &y, 0.9f, 0));
    EXPECT_EQ(QPoint(x, y), QPoint(5, 6));
    record().image = noise(50, 50, 48);
    EXPECT_FALSE(TX_image_findImage(0, 0, -1, -1, nullptr, nullptr, 0.9f, 0));
}

// A screen-like picture: desktop gradient, windows with title bars, menus,
// buttons, text and icons; `seed` varies every text, colour and position.
QImage screenPicture(quint32 seed)
{
    QRandomGenerator random(seed);
    QImage screen(1920, 1080, QImage::Format_RGB32);
    QPainter painter(&screen);
    QLinearGradient desktop(0, 0, 1920, 1080);
    desktop.setColorAt(0, QColor(20, 60, 110));
    desktop.setColorAt(1, QColor(90, 30, 80));
    painter.fillRect(screen.rect(), desktop);
    const char* words[] = {"File", "Edit", "View", "Window", "Help", "Open", "Save", "Cancel",
                           "Report", "Invoice", "Total", "Settings", "Search", "Tools", "Export"};
    for (int w = 0; w < 9; ++w) {
        const QRect frame(random.bounded(1500), random.bounded(750), 300 + random.bounded(400),
                          200 + random.bounded(300));
        painter.fillRect(frame, QColor(235 + random.bounded(20), 235 + random.bounded(20), 235));
        painter.fillRect(QRect(frame.topLeft(), QSize(frame.width(), 28)),
                         QColor::fromHsv(random.bounded(360), 120, 200));
        painter.setPen(Qt::black);
        QFont font("DejaVu Sans", 9 + random.bounded(6));
        painter.setFont(font);
        for (int line = 0; line < 12; ++line) {
            QString text;
            for (int k = 0; k < 5; ++k)
                text += QString(words[random.bounded(15)]) + ' ' + QString::number(random.bounded(10000)) + ' ';
            painter.drawText(frame.x() + 10, frame.y() + 50 + line * 18, text);
        }
        for (int b = 0; b < 3; ++b) {
            const QRect button(frame.x() + 10 + b * 90, frame.bottom() - 36, 80, 26);
            painter.fillRect(button, QColor(210, 210, 215));
            painter.drawRect(button);
            painter.drawText(button, Qt::AlignCenter, words[random.bounded(15)]);
        }
        painter.setBrush(QColor::fromHsv(random.bounded(360), 200, 230));
        painter.drawEllipse(frame.right() - 60, frame.y() + 40, 40, 40);
        painter.setBrush(Qt::NoBrush);
    }
    // A document window at a fixed place, its text different for every seed.
    const QRect document(600, 350, 600, 300);
    painter.fillRect(document, Qt::white);
    painter.setFont(QFont("DejaVu Sans", 10));
    for (int line = 0; line < 15; ++line) {
        QString text;
        for (int k = 0; k < 8; ++k)
            text += QString(words[random.bounded(15)]) + ' ' + QString::number(random.bounded(10000)) + ' ';
        painter.drawText(document.x() + 8, document.y() + 20 + line * 18, text);
    }
    return screen;
}

TEST_F(FindImage, AnAbsentTemplateIsNotFoundInAScreenPictureAtAnyLevel)
{
    const QImage screen = screenPicture(50);
    const QImage other = screenPicture(51);
    // Text cut out of the other picture's document window: same font, colours
    // and kind of content, different words.
    for (const QSize size : {QSize(64, 32), QSize(128, 64)}) {
        const QImage absent = other.copy(QRect(QPoint(700, 400), size));
        for (int level = 0; level <= 9; ++level)
            EXPECT_EQ(find(screen, absent, 0, 0, -1, -1, 0.9f, level), QPoint(-1, -1))
                << size.width() << "x" << size.height() << " level " << level;
        const QImage present = screen.copy(QRect(QPoint(700, 400), size));
        EXPECT_EQ(find(screen, present), QPoint(700, 400));
    }
}

}  // namespace
