// Script calls of cs, imagev, device and getColor acting on a real window of
// the X11 display.
#include <QBuffer>
#include <QMouseEvent>
#include <QPainter>
#include <QScriptEngine>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "bindings/held_input.h"
#include "display.h"
#include "script_harness.h"
#include "tavix_mgr.h"

using vantor::HeldInput;
using vantor::TavixMgr;
using vantor::test::evaluate;

namespace {

// A white window with a coloured pattern that appears nowhere else on the
// screen; it records where it is pressed.
class Target : public QWidget {
public:
    static constexpr QRect kPattern{120, 70, 48, 36};

    Target()
    {
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setGeometry(300, 200, 320, 220);
    }

    struct Press {
        QPoint at;
        Qt::MouseButton button;
    };
    QVector<Press> presses;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const QColor colours[] = {QColor(200, 30, 40), QColor(20, 140, 60), QColor(30, 60, 190),
                                  QColor(230, 200, 20)};
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 4; ++column)
                painter.fillRect(kPattern.x() + column * 12, kPattern.y() + row * 12, 12, 12,
                                 colours[(row + column) % 4]);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        presses.append({event->pos(), event->button()});
    }
};

class ScriptOnX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        target_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&target_));
        // The engine reads the screen itself: wait until it sees the pattern.
        const QPoint probe = global(QPoint(Target::kPattern.x() + 2, Target::kPattern.y() + 2));
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return evaluate(QString("getColor(%1, %2)").arg(probe.x()).arg(probe.y())) == "#c81e28";
        }, 5000));
    }

    QPoint global(QPoint local) const { return target_.mapToGlobal(local); }

    QString templateDataUrl()
    {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        target_.grab(Target::kPattern).toImage().save(&buffer, "PNG");
        return "data:image/png;base64," + QString::fromLatin1(png.toBase64());
    }

    bool waitForPresses(int count)
    {
        return QTest::qWaitFor([&] { return target_.presses.size() >= count; }, 5000);
    }

    Target target_;
};

TEST_F(ScriptOnX11, CsClicksLandWhereTheScriptSays)
{
    const QPoint left = global(QPoint(40, 50));
    const QPoint right = global(QPoint(200, 30));
    evaluate(QString("cs.mouseLeftClick(%1.8, %2.3); cs.mouseRightClick(%3, %4)")
                 .arg(left.x()).arg(left.y()).arg(right.x()).arg(right.y()));
    ASSERT_TRUE(waitForPresses(2));
    EXPECT_EQ(target_.presses[0].at, QPoint(40, 50));
    EXPECT_EQ(target_.presses[0].button, Qt::LeftButton);
    EXPECT_EQ(target_.presses[1].at, QPoint(200, 30));
    EXPECT_EQ(target_.presses[1].button, Qt::RightButton);
}

TEST_F(ScriptOnX11, DeviceSizeIsTheScreens)
{
    EXPECT_EQ(evaluate("device.width() + 'x' + device.height()"), "1920x1080");
}

TEST_F(ScriptOnX11, ImagevFindsAndClicksTheTemplateOnScreen)
{
    TavixMgr::instance()->engine()->globalObject().setProperty("shot", templateDataUrl());
    const QPoint centre = global(Target::kPattern.center());
    const QString found = evaluate("JSON.stringify(imagev.findImage(shot))");
    EXPECT_TRUE(found.startsWith("{\"x\":")) << found.toStdString();

    EXPECT_EQ(evaluate("imagev.mouseLeftClick(shot)"), "true");
    ASSERT_TRUE(waitForPresses(1));
    EXPECT_TRUE(Target::kPattern.adjusted(-1, -1, 1, 1).contains(target_.presses[0].at))
        << target_.presses[0].at.x() << "," << target_.presses[0].at.y();
    EXPECT_LE((global(target_.presses[0].at) - centre).manhattanLength(), 2);
}

TEST_F(ScriptOnX11, ImagevReadsARectangleAsOriginAndSize)
{
    TavixMgr::instance()->engine()->globalObject().setProperty("shot", templateDataUrl());
    const QPoint corner = global(Target::kPattern.topLeft());
    // The area of 100 x 80 pixels from 20 pixels above and left of the pattern holds it;
    // read as two corners it would be an empty area.
    const QString around = QString("image.rect(%1, %2, 100, 80)").arg(corner.x() - 20).arg(corner.y() - 20);
    EXPECT_EQ(evaluate("imagev.mouseRightClick(shot, " + around + ")"), "true");
    ASSERT_TRUE(waitForPresses(1));
    EXPECT_EQ(target_.presses[0].button, Qt::RightButton);
    // The catalogue's ...Rect names do the same.
    EXPECT_EQ(evaluate("imagev.mouseLeftClickRect(shot, " + around + ")"), "true");
    ASSERT_TRUE(waitForPresses(2));
    EXPECT_EQ(target_.presses[1].button, Qt::LeftButton);

    // Elsewhere on the screen, or beyond its edge: no click.
    EXPECT_EQ(evaluate("imagev.mouseLeftClick(shot, image.rect(0, 0, 100, 100))"), "false");
    EXPECT_EQ(evaluate("imagev.mouseLeftClick(shot, image.rect(1900, 0, 100, 10))"), "false");
    EXPECT_EQ(evaluate("typeof imagev.findImage(shot, image.rect(0, 0, 100, 100))"), "undefined");
    // A sentinel click: input arrives in order, so a stray click would come before it.
    const QPoint sentinel = global(QPoint(10, 10));
    evaluate(QString("cs.mouseMiddleClick(%1, %2)").arg(sentinel.x()).arg(sentinel.y()));
    ASSERT_TRUE(waitForPresses(3));
    EXPECT_EQ(target_.presses.size(), 3);
    EXPECT_EQ(target_.presses[2].button, Qt::MiddleButton);
}

// What imagev leaves down is noted only when it found its picture, and is
// forgotten by the matching up or a click; a run's end releases the rest.
TEST_F(ScriptOnX11, ImagevPressesAreNotedUntilReleased)
{
    TavixMgr::instance()->engine()->globalObject().setProperty("shot", templateDataUrl());
    const HeldInput::Input left = HeldInput::button(HeldInput::Left);
    const HeldInput::Input right = HeldInput::button(HeldInput::Right);
    HeldInput& held = HeldInput::instance();
    ASSERT_TRUE(held.empty());

    EXPECT_EQ(evaluate("imagev.mouseLeftDown('data:image/png;base64,AAAA')"), "false");
    EXPECT_TRUE(held.empty());
    EXPECT_EQ(evaluate("imagev.mouseLeftDown(shot)"), "true");
    ASSERT_TRUE(waitForPresses(1));
    EXPECT_TRUE(held.isHeld(left));
    EXPECT_EQ(evaluate("imagev.mouseLeftUpRect(shot)"), "true");
    EXPECT_FALSE(held.isHeld(left));

    EXPECT_EQ(evaluate("imagev.mouseRightDownRect(shot)"), "true");
    ASSERT_TRUE(waitForPresses(2));
    EXPECT_TRUE(held.isHeld(right));
    EXPECT_EQ(evaluate("imagev.mouseRightClick(shot)"), "true");
    EXPECT_TRUE(held.empty());

    EXPECT_EQ(evaluate("imagev.mouseRightDown(shot)"), "true");
    EXPECT_EQ(held.releaseAll(), "Released what the script still held down: right mouse button");
    EXPECT_TRUE(held.empty());
    EXPECT_TRUE(
        QTest::qWaitFor([] { return QGuiApplication::mouseButtons() == Qt::NoButton; }, 5000));
    EXPECT_EQ(held.releaseAll(), "") << "nothing twice";
}

TEST_F(ScriptOnX11, ImagevWithAPictureThatIsNotThereDoesNothing)
{
    EXPECT_EQ(evaluate("imagev.mouseLeftClick('data:image/png;base64,AAAA')"), "false");
    EXPECT_EQ(evaluate("imagev.mouseLeftClick('')"), "false");
    EXPECT_EQ(evaluate("typeof imagev.findImage('not a picture')"), "undefined");
}

}  // namespace
