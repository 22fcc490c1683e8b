// The screenshot tool and the API catalogue in the studio's window, driven
// with injected mouse and keys: entries inserted at the cursor, pictures cut
// from the screen into the script, and a script made that way run by
// vantor-run against a window on the screen.
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

#include "capture_driver.h"
#include "control_widget.h"
#include "display.h"
#include "main_window.h"
#include "mycode_edit.h"
#include "screen.h"

namespace vantor::test {
namespace {

// A window with one button-like patch, found nowhere else on the screen; it
// notes where it is pressed.
class ButtonWindow : public QWidget {
public:
    static constexpr QRect kPatch{100, 60, 90, 32};

    ButtonWindow()
    {
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setGeometry(200, 790, 400, 200);
    }
    QVector<QPoint> presses;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(236, 236, 236));
        QLinearGradient face(kPatch.topLeft(), kPatch.bottomLeft());
        face.setColorAt(0, QColor(90, 160, 250));
        face.setColorAt(1, QColor(20, 70, 190));
        painter.setPen(QColor(10, 30, 90));
        painter.setBrush(face);
        painter.drawRoundedRect(kPatch.adjusted(0, 0, -1, -1), 5, 5);
        painter.setPen(Qt::white);
        painter.drawText(kPatch, Qt::AlignCenter, QStringLiteral("确定 OK"));
    }
    void mousePressEvent(QMouseEvent* event) override { presses << event->pos(); }
};

class StudioCapture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        backdrop_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&backdrop_));
        desktop_ = screenNow();
        window_ = std::make_unique<MainWindow>();
        window_->setGeometry(1010, 40, 900, 700);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                before_ = screenNow();
                return samePixels(before_.copy(backdrop_.geometry()), backdrop_.grab().toImage());
            },
            5000));
    }

    void TearDown() override
    {
        if (window_) {
            window_->editor()->document()->setModified(false);
            window_.reset();
        }
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<Screen*>(widget))
                delete widget;
    }

    MycodeEdit& editor() { return *window_->editor(); }
    QTreeView& tree() { return *window_->catalogueView(); }
    QAbstractItemModel& model() { return *tree().model(); }
    QModelIndex entry(int group, int row) { return model().index(row, 0, model().index(group, 0)); }

    void putCursor(const QString& text, int position, int anchor = -1)
    {
        editor().setScriptText(text);
        QTextCursor cursor = editor().textCursor();
        cursor.setPosition(anchor < 0 ? position : anchor);
        if (anchor >= 0)
            cursor.setPosition(position, QTextCursor::KeepAnchor);
        editor().setTextCursor(cursor);
    }

    bool doubleClick(const QModelIndex& index)
    {
        tree().scrollTo(index);
        const QRect cell = tree().visualRect(index);
        const QPoint at = tree().viewport()->mapToGlobal(cell.center());
        return xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                        "--repeat", "2", "--delay", "80", "1"});
    }

    // The overlay the studio opened, once it is on the screen.
    Screen* waitForOverlay()
    {
        Screen* found = nullptr;
        const bool shown = QTest::qWaitFor(
            [&] {
                for (QWidget* widget : QApplication::topLevelWidgets())
                    if (auto* screen = qobject_cast<Screen*>(widget); screen && screen->isVisible())
                        found = screen;
                return found && found->windowHandle() && found->windowHandle()->isExposed();
            },
            5000);
        return shown ? found : nullptr;
    }

    // Cuts `area` of the screen with the overlay and finishes it.
    void cut(Screen* overlay, const QRect& area)
    {
        ASSERT_TRUE(overlay);
        EXPECT_FALSE(window_->isVisible());
        ASSERT_TRUE(
            dragOnScreen(area.topLeft(), area.topLeft() + QPoint(area.width(), area.height())));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return overlay->barContainer() && overlay->barContainer()->isVisible(); }, 5000));
        QPushButton* finish = overlay->bar()->finishButton();
        ASSERT_TRUE(clickAt(finish->mapToGlobal(finish->rect().center())));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window_->isVisible(); }, 5000));
    }

    // The picture of the first data URL in `text`.
    static QImage firstPicture(const QString& text)
    {
        const QRegularExpressionMatch match =
            QRegularExpression("data:image/png;base64,([A-Za-z0-9+/=]+)").match(text);
        if (!match.hasMatch())
            return {};
        return QImage::fromData(QByteArray::fromBase64(match.captured(1).toLatin1()), "PNG");
    }

    Backdrop backdrop_;
    std::unique_ptr<MainWindow> window_;
    QImage desktop_;  // before the studio's window came
    QImage before_;
    QTemporaryDir dir_;
};

TEST_F(StudioCapture, CatalogueStartsWithTheFirstGroupOpen)
{
    ASSERT_EQ(model().rowCount(), 11);
    EXPECT_TRUE(tree().isExpanded(model().index(0, 0)));
    for (int group = 1; group < 11; ++group)
        EXPECT_FALSE(tree().isExpanded(model().index(group, 0))) << group;
    EXPECT_EQ(model().rowCount(model().index(0, 0)), 17);
    EXPECT_EQ(tree().minimumWidth(), 330);
    EXPECT_EQ(tree().maximumWidth(), 500);
}

TEST_F(StudioCapture, DoubleClickInsertsAPlainEntryAtTheCursor)
{
    const struct {
        const char* name;
        int position;
        int anchor;
        const char* expected;
    } cases[] = {
        {"inside a line", 4, -1, "var cs.home();\nx = 1;"},
        {"over a selection", 9, 4, "var cs.home();\n;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        putCursor("var x = 1;", c.position, c.anchor);
        ASSERT_TRUE(doubleClick(entry(0, 1)));  // cs.home()
        EXPECT_TRUE(QTest::qWaitFor([&] { return editor().toScriptText() == c.expected; }, 5000))
            << editor().toScriptText().toStdString();
    }
}

TEST_F(StudioCapture, DoubleClickOnAGroupInsertsNothing)
{
    putCursor("var x = 1;", 4);
    ASSERT_TRUE(doubleClick(model().index(1, 0)));  // app类
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree().isExpanded(model().index(1, 0)); }, 5000));
    // A plain entry afterwards shows that the group's double-click was handled first.
    ASSERT_TRUE(doubleClick(entry(1, 1)));  // app.openUrl(url)
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor().toScriptText() != "var x = 1;"; }, 5000));
    EXPECT_EQ(editor().toScriptText(), "var app.openUrl(url);\nx = 1;");
}

TEST_F(StudioCapture, CameraEntryPutsTheCutPictureBetweenTheQuotes)
{
    putCursor("// first\n", 9);
    ASSERT_TRUE(doubleClick(entry(0, 8)));  // ocr.imgText("📷")
    Screen* overlay = waitForOverlay();
    ASSERT_TRUE(overlay);
    // The studio left the screen before the grab.
    EXPECT_TRUE(samePixels(overlay->grabbed().toImage().copy(window_->frameGeometry()),
                           desktop_.copy(window_->frameGeometry())));
    EXPECT_TRUE(samePixels(overlay->grabbed().toImage().copy(backdrop_.geometry()),
                           before_.copy(backdrop_.geometry())));
    const QRect area(400, 300, 80, 60);
    cut(overlay, area);

    ASSERT_TRUE(
        QTest::qWaitFor([&] { return editor().toScriptText().contains("ocr.imgText("); }, 5000));
    const QString text = editor().toScriptText();
    EXPECT_TRUE(text.startsWith("// first\nocr.imgText(\"data:image/png;base64,"))
        << text.left(60).toStdString();
    EXPECT_TRUE(text.contains("\");\n"));
    EXPECT_TRUE(samePixels(firstPicture(text), before_.copy(area)));
    EXPECT_EQ(window_->focusWidget(), &editor());

    // The saved script holds the picture as a data URL.
    const QString path = dir_.filePath("ocr.js");
    ASSERT_TRUE(window_->saveFile(path));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(saved.readAll());
    EXPECT_TRUE(written.contains("ocr.imgText(\"data:image/png;base64,"));
    EXPECT_TRUE(samePixels(firstPicture(written), before_.copy(area)));
}

TEST_F(StudioCapture, CancellingACameraEntryInsertsNothing)
{
    putCursor("var x = 1;", 4);
    ASSERT_TRUE(doubleClick(entry(7, 16)));  // imagev.findImage("📷")
    Screen* overlay = waitForOverlay();
    ASSERT_TRUE(overlay);
    ASSERT_TRUE(pressKey("Escape"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->isVisible(); }, 5000));
    EXPECT_EQ(editor().toScriptText(), "var x = 1;");
}

TEST_F(StudioCapture, ScreenshotKeyPastesThePictureIntoTheEditor)
{
    putCursor("", 0);
    editor().setFocus();
    ASSERT_TRUE(xdotool({"key", "alt+s"}));
    Screen* overlay = waitForOverlay();
    ASSERT_TRUE(overlay);
    const QRect area(520, 410, 64, 48);
    cut(overlay, area);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !firstPicture(editor().toScriptText()).isNull(); }, 5000))
        << editor().toScriptText().left(200).toStdString();
    EXPECT_TRUE(samePixels(firstPicture(editor().toScriptText()), before_.copy(area)));
}

TEST_F(StudioCapture, ScreenshotCancelledWithTheExitButtonLeavesTheEditorAlone)
{
    putCursor("var x = 1;", 4);
    ASSERT_TRUE(xdotool({"key", "alt+s"}));
    Screen* overlay = waitForOverlay();
    ASSERT_TRUE(overlay);
    EXPECT_FALSE(window_->isVisible());
    ASSERT_TRUE(dragOnScreen({400, 300}, {480, 360}));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return overlay->barContainer() && overlay->barContainer()->isVisible(); }, 5000));
    QWidget* exit = overlay->bar()->cancelButton();
    ASSERT_TRUE(clickAt(exit->mapToGlobal(exit->rect().center())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->isVisible(); }, 5000));
    EXPECT_EQ(editor().toScriptText(), "var x = 1;");
}

TEST_F(StudioCapture, ScriptMadeFromTheCatalogueClicksThePatchUnderVantorRun)
{
    ButtonWindow target;
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
    const QRect patch(target.mapToGlobal(ButtonWindow::kPatch.topLeft()),
                      ButtonWindow::kPatch.size());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return samePixels(screenNow().copy(target.geometry()), target.grab().toImage()); },
        5000));

    putCursor("", 0);
    ASSERT_TRUE(doubleClick(entry(0, 5)));  // imagev.mouseLeftClick("📷")
    cut(waitForOverlay(), patch);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return editor().toScriptText().startsWith("imagev.mouseLeftClick(\"data:"); }, 5000));
    const QString path = dir_.filePath("click.js");
    ASSERT_TRUE(window_->saveFile(path));

    // The editor shows the template too: the studio leaves the screen, as
    // when the script is run from a terminal over other windows.
    const QRect studioArea = window_->frameGeometry();
    window_->hide();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return samePixels(screenNow().copy(studioArea), desktop_.copy(studioArea)); }, 5000));

    ASSERT_FALSE(qEnvironmentVariableIsEmpty("VANTOR_RUN"))
        << "run through ctest, which names vantor-run";
    QProcess run;
    run.start(qEnvironmentVariable("VANTOR_RUN"), {path});
    ASSERT_TRUE(run.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.state() == QProcess::NotRunning; }, 30000));
    const QByteArray output = run.readAllStandardOutput() + run.readAllStandardError();
    EXPECT_EQ(run.exitCode(), 0) << output.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !target.presses.isEmpty(); }, 5000))
        << output.right(3000).toStdString();
    ASSERT_EQ(target.presses.size(), 1);
    const QPoint centre = ButtonWindow::kPatch.topLeft()
        + QPoint(ButtonWindow::kPatch.width() / 2, ButtonWindow::kPatch.height() / 2);
    EXPECT_LE((target.presses.first() - centre).manhattanLength(), 1)
        << target.presses.first().x() << "," << target.presses.first().y();
}

}  // namespace
}  // namespace vantor::test
