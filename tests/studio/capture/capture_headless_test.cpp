// Without a screen to grab, the capture overlay tells the user so and closes
// instead of covering the desktop with a black picture.
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include "capture_selection.h"
#include "screen.h"
#include "screen_grab.h"

namespace vantor::test {
namespace {

TEST(CaptureWithoutScreen, ShowsAMessageAndClosesWithoutAnOverlay)
{
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    QStringList events;
    QPointer<Screen> screen = new Screen;
    QObject::connect(screen, &Screen::caceBtClick, [&] { events << "caceBtClick"; });
    QObject::connect(screen, &Screen::saveImg, [&] { events << "saveImg"; });
    EXPECT_TRUE(screen->grabFailed());
    screen->show();
    EXPECT_FALSE(screen->isVisible());

    QMessageBox* box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* candidate = qobject_cast<QMessageBox*>(widget);
                    candidate && candidate->isVisible())
                    box = candidate;
            return box && screen.isNull();
        },
        5000));
    EXPECT_EQ(box->text(), grabFailureText());
    EXPECT_EQ(events, QStringList({"caceBtClick"}));
    box->close();
}

}  // namespace
}  // namespace vantor::test

namespace vantor::test {
namespace {

// The selection's arithmetic, which the overlay tests reach only through the mouse.
TEST(CaptureSelectionRules, ClickWithoutDragSpansFromTheTopLeftCorner)
{
    CaptureSelection selection(QSize(1920, 1080));
    selection.press({300, 200}, true);
    selection.release();
    EXPECT_EQ(selection.area(), QRect(0, 0, 300, 200));
    EXPECT_FALSE(selection.selecting());
}

TEST(CaptureSelectionRules, HandlesCountOnlyStrictlyInsideTheirSquares)
{
    CaptureSelection selection(QSize(1920, 1080));
    selection.press({100, 100}, true);
    selection.drag({200, 150});
    selection.release();
    const struct {
        QPoint at;
        CaptureHandle expected;
    } cases[] = {
        {{200, 100}, CaptureHandle::TopRight},   {{102, 102}, CaptureHandle::TopLeft},
        {{100, 150}, CaptureHandle::BottomLeft}, {{202, 148}, CaptureHandle::BottomRight},
        {{103, 103}, CaptureHandle::Inside},     {{97, 100}, CaptureHandle::None},
        {{150, 100}, CaptureHandle::None},       {{300, 300}, CaptureHandle::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(selection.hover(c.at), c.expected) << c.at.x() << "," << c.at.y();
}

TEST(CaptureSelectionRules, MovingKeepsTheSizeAtTheEdgesWhateverTheCornerOrder)
{
    CaptureSelection selection(QSize(1920, 1080));
    // Dragged up and to the left: the corners are not in order.
    selection.press({300, 250}, true);
    selection.drag({200, 200});
    selection.release();
    ASSERT_EQ(selection.hover({250, 225}), CaptureHandle::Inside);
    selection.press({250, 225}, true);
    selection.drag({-500, 5000});
    EXPECT_EQ(selection.area(), QRect(0, 1030, 100, 50));
    selection.drag({5000, -5000});
    EXPECT_EQ(selection.area(), QRect(1820, 0, 100, 50));
}

}  // namespace
}  // namespace vantor::test
