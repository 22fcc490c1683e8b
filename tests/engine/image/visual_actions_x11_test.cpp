// The visual actions on the real X11 screen: a window shows a picture, the
// engine finds it on a fresh capture and clicks it.
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

#include "core/desktop.h"
#include "display.h"
#include "image_fixtures.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;

namespace {

struct Press {
    Qt::MouseButton button;
    QPoint global;
};

// A frameless window at a fixed place that paints `picture` at `offset` and
// writes down every button press it gets.
class PictureWindow : public QWidget {
public:
    PictureWindow(const QRect& geometry, const QImage& picture, QPoint offset)
        : picture_(picture), offset_(offset)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setGeometry(geometry);
    }

    std::vector<Press> presses;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(236, 236, 236));
        painter.drawImage(offset_, picture_);
    }
    void mousePressEvent(QMouseEvent* e) override { presses.push_back({e->button(), e->globalPos()}); }

private:
    QImage picture_;
    QPoint offset_;
};

// Shows `window` and waits until a screen capture shows `picture` at `at`.
bool showOnScreen(PictureWindow& window, const QImage& picture, QPoint at)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    const QRgb wanted = picture.pixel(0, 0);
    return QTest::qWaitFor(
        [&] {
            const QImage screen = tavix::core::grabScreen();
            return !screen.isNull() && screen.pixel(at) == wanted
                && screen.pixel(at + QPoint(picture.width() - 1, picture.height() - 1))
                == picture.pixel(picture.width() - 1, picture.height() - 1);
        },
        5000);
}

class VisualActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        TX_api_initialize();
        // Park the pointer away from the window so that no earlier press counts.
        TX_cs_mouseMove(1900, 1060);
        ASSERT_TRUE(showOnScreen(window, picture, kPictureAt));
        url = dataUrl(picture);
    }

    bool noPressArrives()
    {
        return !QTest::qWaitFor([&] { return !window.presses.empty(); }, 300);
    }

    static constexpr QPoint kPictureAt{200, 150};
    QImage picture = blocks(40, 20, 4, 61);
    PictureWindow window{QRect(100, 100, 400, 300), picture, kPictureAt - QPoint(100, 100)};
    QByteArray url;
};

TEST_F(VisualActions, FindImageGivesTheCentreOfThePicture)
{
    int x = 0, y = 0;
    ASSERT_TRUE(TX_imagev_findImage(0, 0, -1, -1, url.constData(), &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(220, 160));
    ASSERT_TRUE(TX_imagev_findImage(150, 120, 300, 200, url.constData(), &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(220, 160));
}

TEST_F(VisualActions, LeftClickClicksTheCentreOfThePicture)
{
    ASSERT_TRUE(TX_imagev_mouseLeftClick(url.constData()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.presses.empty(); }, 5000));
    EXPECT_EQ(window.presses.front().button, Qt::LeftButton);
    EXPECT_EQ(window.presses.front().global, QPoint(220, 160));
}

TEST_F(VisualActions, RightClickRectClicksWhenTheRectangleHoldsThePicture)
{
    ASSERT_TRUE(TX_imagev_mouseRightClickRect(100, 100, 500, 400, url.constData()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.presses.empty(); }, 5000));
    EXPECT_EQ(window.presses.front().button, Qt::RightButton);
    EXPECT_EQ(window.presses.front().global, QPoint(220, 160));
}

TEST_F(VisualActions, ARectangleThatExcludesThePictureFindsAndClicksNothing)
{
    LogCapture log;
    int x = 0, y = 0;
    EXPECT_FALSE(TX_imagev_findImage(300, 0, 1919, 1079, url.constData(), &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(-1, -1));
    EXPECT_TRUE(log.contains("Can't find the image"));
    EXPECT_FALSE(TX_imagev_mouseLeftClickRect(300, 0, 1919, 1079, url.constData()));
    EXPECT_TRUE(noPressArrives());
}

TEST_F(VisualActions, AJpegDataUrlIsAccepted)
{
    const QByteArray jpeg = dataUrl(picture, "jpeg", "JPG");
    int x = 0, y = 0;
    ASSERT_TRUE(TX_imagev_findImage(0, 0, -1, -1, jpeg.constData(), &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(220, 160));
}

TEST_F(VisualActions, TextsThatAreNoPictureDataUrlFailAndClickNothing)
{
    const QByteArray png = encoded(picture);
    const QByteArray texts[] = {
        png.toBase64(),                                     // plain Base64, no prefix
        "data:text/plain;base64," + png.toBase64(),         // not an image media type
        "data:image/png," + png.toBase64(),                 // no base64 marker
        "data:image/png;base64,",                           // nothing after it
        "data:image/png;base64,!!!!",
        "data:image/png;base64," + png.left(png.size() / 2).toBase64(),  // truncated
        "data:image/png;base64," + QByteArray("not a picture").toBase64(),
        "DATA:IMAGE/PNG;BASE64," + png.toBase64(),
        "",
    };
    for (const QByteArray& text : texts) {
        int x = 7, y = 8;
        EXPECT_FALSE(TX_imagev_findImage(0, 0, -1, -1, text.constData(), &x, &y)) << text.left(40).constData();
        EXPECT_EQ(QPoint(x, y), QPoint(7, 8));
        EXPECT_FALSE(TX_imagev_mouseLeftClick(text.constData()));
    }
    EXPECT_FALSE(TX_imagev_findImage(0, 0, -1, -1, nullptr, nullptr, nullptr));
    EXPECT_FALSE(TX_imagev_mouseRightDoubleClick(nullptr));
    EXPECT_TRUE(noPressArrives());
}

TEST_F(VisualActions, ATemplateLargerThanTheScreenIsNotFound)
{
    const QRect screen = tavix::core::primaryScreenGeometry();
    const QByteArray huge = dataUrl(solid(screen.width() + 1, 10, Qt::red));
    int x = 0, y = 0;
    EXPECT_FALSE(TX_imagev_findImage(0, 0, -1, -1, huge.constData(), &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(-1, -1));
    EXPECT_FALSE(TX_imagev_mouseLeftClick(huge.constData()));
    EXPECT_TRUE(noPressArrives());
}

TEST_F(VisualActions, AMatchAtTheScreensTopLeftPixelCountsAsNotFound)
{
    const QImage corner = blocks(40, 20, 4, 62);
    PictureWindow cornerWindow(QRect(0, 0, 60, 40), corner, QPoint(0, 0));
    ASSERT_TRUE(showOnScreen(cornerWindow, corner, QPoint(0, 0)));
    int x = 0, y = 0;
    EXPECT_FALSE(TX_imagev_findImage(0, 0, -1, -1, dataUrl(corner).constData(), &x, &y));
    EXPECT_EQ(QPoint(x, y), QPoint(0, 0));
}

}  // namespace
