// The capture overlay on a real display, driven by injected mouse and key
// events over a window of known content.
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "capture_driver.h"
#include "control_widget.h"
#include "display.h"
#include "qs_label.h"
#include "screen.h"

namespace vantor::test {
namespace {

class CaptureOverlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        backdrop_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&backdrop_));
        // Another reader must see the backdrop before the overlay freezes the screen.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                before_ = screenNow();
                return samePixels(before_.copy(backdrop_.geometry()), backdrop_.grab().toImage());
            },
            5000));
        // The studio's window, which the overlay's signals bring back.
        studio_.setWindowTitle("studio");
        studio_.setGeometry(50, 50, 100, 100);
    }

    void TearDown() override
    {
        if (screen_)
            delete screen_.data();
    }

    void open()
    {
        // As the studio does: its window goes, and the last overlay has left the screen.
        studio_.hide();
        ASSERT_TRUE(QTest::qWaitFor([&] { return samePixels(screenNow(), before_); }, 5000));
        screen_ = new Screen;
        QObject::connect(screen_, &Screen::saveClick, [this] { events_ << "saveClick"; });
        QObject::connect(screen_, &Screen::saveImg, [this](const QImage& img) {
            events_ << "saveImg";
            picture_ = img;
        });
        QObject::connect(screen_, &Screen::caceBtClick, [this] {
            events_ << "caceBtClick";
            studio_.show();
        });
        ASSERT_FALSE(screen_->grabFailed());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(screen_));
        ASSERT_TRUE(samePixels(screen_->grabbed().toImage(), before_));
    }

    bool waitForSelection(const QRect& area)
    {
        return QTest::qWaitFor([&] { return screen_ && screen_->selection() == area; }, 5000);
    }
    bool waitForBar()
    {
        return QTest::qWaitFor(
            [&] {
                return screen_ && screen_->barContainer() && screen_->barContainer()->isVisible();
            },
            5000);
    }
    bool waitForClosed()
    {
        return QTest::qWaitFor([&] { return screen_.isNull() && events_.contains("caceBtClick"); },
                               5000);
    }
    QPoint centreOf(QWidget* widget) { return widget->mapToGlobal(widget->rect().center()); }

    // Drag out the selection, then finish with the bar's button.
    void selectAndFinish(QPoint from, QPoint to)
    {
        ASSERT_TRUE(dragOnScreen(from, to));
        ASSERT_TRUE(waitForBar());
    }
    void finishWithButton()
    {
        ASSERT_TRUE(waitForBar());
        ASSERT_TRUE(clickAt(centreOf(screen_->bar()->finishButton())));
        ASSERT_TRUE(waitForClosed());
    }

    Backdrop backdrop_;
    QWidget studio_;
    QImage before_;
    QPointer<Screen> screen_;
    QStringList events_;
    QImage picture_;
};

// Drags in each direction select the same area.
TEST_F(CaptureOverlay, DragsInEachDirectionHandOverTheScreenRegion)
{
    const QRect area(400, 300, 200, 120);
    const struct {
        const char* name;
        QPoint from;
        QPoint to;
    } drags[] = {
        {"down right", area.topLeft(), QPoint(600, 420)},
        {"up left", QPoint(600, 420), area.topLeft()},
        {"down left", QPoint(600, 300), QPoint(400, 420)},
        {"up right", QPoint(400, 420), QPoint(600, 300)},
    };
    for (const auto& drag : drags) {
        SCOPED_TRACE(drag.name);
        events_.clear();
        picture_ = QImage();
        open();
        selectAndFinish(drag.from, drag.to);
        EXPECT_EQ(screen_->selection(), area);
        EXPECT_EQ(screen_->sizeLabel().text(), "200 * 120");
        finishWithButton();
        EXPECT_EQ(events_, QStringList({"saveClick", "saveImg", "caceBtClick"}));
        EXPECT_EQ(picture_.size(), area.size());
        EXPECT_TRUE(samePixels(picture_, before_.copy(area)));
    }
}

// Each handle moves its corner; the inside moves the whole selection, which
// stops at the screen's edge without changing its size.
TEST_F(CaptureOverlay, HandlesResizeAndTheInsideMovesTheSelection)
{
    const struct {
        const char* name;
        QPoint grip;
        QPoint by;
        QRect expected;
        CaptureHandle handle;
    } cases[] = {
        {"top right", {600, 300}, {30, -20}, QRect(400, 280, 230, 140), CaptureHandle::TopRight},
        {"top left", {400, 300}, {-25, 15}, QRect(375, 315, 225, 105), CaptureHandle::TopLeft},
        {"bottom left", {400, 420}, {20, 30}, QRect(420, 300, 180, 150), CaptureHandle::BottomLeft},
        {"bottom right",
         {600, 420},
         {40, 10},
         QRect(400, 300, 240, 130),
         CaptureHandle::BottomRight},
        {"inside", {500, 360}, {50, -40}, QRect(450, 260, 200, 120), CaptureHandle::Inside},
        {"inside past the left edge",
         {500, 360},
         {-450, 0},
         QRect(0, 300, 200, 120),
         CaptureHandle::Inside},
        {"inside past the bottom edge",
         {500, 360},
         {0, 700},
         QRect(400, 960, 200, 120),
         CaptureHandle::Inside},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        events_.clear();
        open();
        selectAndFinish({400, 300}, {600, 420});
        // The pointer comes from elsewhere, as a hand moves it: first a place
        // with another handle, then the grip.
        const bool inside = c.handle == CaptureHandle::Inside;
        const QPoint away = inside ? QPoint(1500, 900) : QPoint(500, 360);
        ASSERT_TRUE(xdotool({"mousemove", QString::number(away.x()), QString::number(away.y())}));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return screen_->handle() == (inside ? CaptureHandle::None : CaptureHandle::Inside);
            },
            5000));
        ASSERT_TRUE(
            xdotool({"mousemove", QString::number(c.grip.x()), QString::number(c.grip.y())}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen_->handle() == c.handle; }, 5000));
        ASSERT_TRUE(dragFrom(c.grip, c.by));
        EXPECT_TRUE(waitForSelection(c.expected))
            << screen_->selection().x() << "," << screen_->selection().y() << " "
            << screen_->selection().width() << "x" << screen_->selection().height();
        ASSERT_TRUE(waitForBar());
        EXPECT_TRUE(QRect(0, 0, 1920, 1080).contains(screen_->barContainer()->geometry()));
        finishWithButton();
        EXPECT_TRUE(samePixels(picture_, before_.copy(c.expected)));
    }
}

TEST_F(CaptureOverlay, SizeLabelPreviewAndBarFollowTheSelection)
{
    open();
    ASSERT_TRUE(dragOnScreen({400, 300}, {600, 400}));
    ASSERT_TRUE(waitForBar());
    EXPECT_EQ(screen_->sizeLabel().text(), "200 * 100");
    EXPECT_EQ(screen_->sizeLabel().rect(), QRectF(400, 279, 71, 21));
    // Under the end corner, its right edge one pixel left of it.
    EXPECT_EQ(screen_->barContainer()->geometry(), QRect(490, 406, 110, 25));
    EXPECT_TRUE(screen_->bar()->cancelButton()->isVisible());
    EXPECT_TRUE(screen_->bar()->finishButton()->isVisible());
    EXPECT_EQ(screen_->bar()->findChildren<QToolButton*>().size(), 12);
    int shownButtons = 0;
    for (QToolButton* button : screen_->bar()->findChildren<QToolButton*>())
        shownButtons += button->isVisible() ? 1 : 0;
    EXPECT_EQ(shownButtons, 1);

    ASSERT_TRUE(QTest::qWaitFor([&] { return screen_->preview()->isVisible(); }, 5000));
    EXPECT_EQ(screen_->preview()->geometry(), QRect(400, 300, 200, 100));
    EXPECT_TRUE(
        samePixels(screen_->preview()->image().toImage(), before_.copy(400, 300, 200, 100)));

    // What the user sees: the selection undimmed with its size above it, the outside darker.
    QImage seen;
    const bool shown = QTest::qWaitFor(
        [&] {
            seen = screenNow();
            return samePixels(seen.copy(400, 300, 200, 100), before_.copy(400, 300, 200, 100));
        },
        5000);
    if (qEnvironmentVariableIsSet("VANTOR_CAPTURE_SHOT"))
        seen.save(qEnvironmentVariable("VANTOR_CAPTURE_SHOT"));
    EXPECT_TRUE(shown);
    const QColor outside(seen.pixel(300, 200));
    const QColor under(before_.pixel(300, 200));
    EXPECT_LT(outside.red() + outside.green() + outside.blue(),
              under.red() + under.green() + under.blue());
    const QColor label(seen.pixel(402, 281));
    EXPECT_LT(label.red() + label.green() + label.blue(), 150);

    // Moved away, the old place is dimmed again and the new one shows the screen.
    ASSERT_TRUE(xdotool({"mousemove", "1500", "900", "mousemove", "500", "350"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return screen_->handle() == CaptureHandle::Inside; }, 5000));
    ASSERT_TRUE(dragFrom({500, 350}, {250, 300}));
    ASSERT_TRUE(waitForSelection(QRect(650, 600, 200, 100)));
    const auto dimmedAt = [&](QPoint p) {
        const QColor now(seen.pixel(p));
        const QColor was(before_.pixel(p));
        return now.red() + now.green() + now.blue() < was.red() + was.green() + was.blue();
    };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            seen = screenNow();
            return samePixels(seen.copy(650, 600, 200, 100), before_.copy(650, 600, 200, 100))
                && dimmedAt({450, 350}) && dimmedAt({402, 281});
        },
        5000));
}

TEST_F(CaptureOverlay, ExitAndEscapeHandNothingOverAndBringTheStudioBack)
{
    const struct {
        const char* name;
        bool select;
        bool escape;
    } cases[] = {{"exit button", true, false},
                 {"Escape after a selection", true, true},
                 {"Escape at once", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        events_.clear();
        open();
        if (c.select)
            selectAndFinish({400, 300}, {600, 400});
        QPointer<QSLabel> preview = screen_->preview();
        if (c.escape)
            ASSERT_TRUE(pressKey("Escape"));
        else
            ASSERT_TRUE(clickAt(centreOf(screen_->bar()->cancelButton())));
        ASSERT_TRUE(waitForClosed());
        EXPECT_EQ(events_, QStringList({"caceBtClick"}));
        EXPECT_TRUE(preview.isNull() || !preview->isVisible());
        EXPECT_TRUE(studio_.isVisible());
    }
}

TEST_F(CaptureOverlay, ReturnFinishesOnlyAfterTheFirstRelease)
{
    open();
    ASSERT_TRUE(xdotool({"mousemove", "700", "500", "mousedown", "1", "mousemove", "760", "540"}));
    ASSERT_TRUE(waitForSelection(QRect(700, 500, 60, 40)));
    ASSERT_TRUE(pressKey("Return"));
    // Input arrives in order: once the release has shown the bar, Return was handled before it.
    ASSERT_TRUE(xdotool({"mouseup", "1"}));
    ASSERT_TRUE(waitForBar());
    EXPECT_TRUE(events_.isEmpty());

    ASSERT_TRUE(pressKey("Return"));
    ASSERT_TRUE(waitForClosed());
    EXPECT_EQ(events_, QStringList({"saveClick", "saveImg", "caceBtClick"}));
    EXPECT_TRUE(samePixels(picture_, before_.copy(700, 500, 60, 40)));
}

TEST_F(CaptureOverlay, FinishedPictureIsOnTheClipboardAsPng)
{
    open();
    selectAndFinish({250, 200}, {330, 260});
    finishWithButton();
    const QImage fromClipboard = clipboardPngFromXclip();
    ASSERT_FALSE(fromClipboard.isNull());
    EXPECT_TRUE(samePixels(fromClipboard, before_.copy(250, 200, 80, 60)));
}

}  // namespace
}  // namespace vantor::test
