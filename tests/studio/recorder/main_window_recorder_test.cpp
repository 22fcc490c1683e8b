// The recorder started from the main window: the window hides while the
// recorder is on screen, comes back when it closes, and a recording replaces
// the editor's script as one edit that Undo takes back.
#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

#include "main_window.h"
#include "mycode_edit.h"
#include "rpa_view.h"
#include "tavix/platform/scripted_capture.h"

namespace {

using tavix::platform::CaptureEvent;
using tavix::platform::ScriptedCapture;
using vantor::MainWindow;
using vantor::RpaView;

CaptureEvent at(std::int64_t time, CaptureEvent::Kind kind, int x, int y,
                CaptureEvent::Button button = CaptureEvent::NoButton)
{
    CaptureEvent e;
    e.kind = kind;
    e.timeMs = time;
    e.x = x;
    e.y = y;
    e.button = button;
    return e;
}

RpaView* openRecorder()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* view = qobject_cast<RpaView*>(widget); view && view->isVisible())
            return view;
    return nullptr;
}

class RecorderFromTheMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        tavix::platform::setCaptureSourceFactory([] {
            return std::make_unique<ScriptedCapture>(std::vector<CaptureEvent>{
                at(5000, CaptureEvent::Motion, 40, 50),
                at(5250, CaptureEvent::ButtonDown, 40, 50, CaptureEvent::Left),
                at(5300, CaptureEvent::ButtonUp, 40, 50, CaptureEvent::Left),
            });
        });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.editor()->setScriptText(QStringLiteral("log.info('my own work');\n"));
        window.editor()->insertPlainText(QStringLiteral("// typed\n"));
    }
    void TearDown() override { tavix::platform::setCaptureSourceFactory({}); }

    // Opens the recorder with the toolbar button and starts recording.
    RpaView* startRecording()
    {
        QTest::mouseClick(window.findChild<QPushButton*>("btRpa"), Qt::LeftButton);
        RpaView* view = openRecorder();
        if (view)
            QTest::mouseClick(view->findChild<QPushButton*>("btStart"), Qt::LeftButton);
        return view;
    }

    MainWindow window;
};

const char* const kRecorded =
    "cs.mouseMove(40,50);\nsleep(250);\ncs.mouseLeftDown(40,50);\nsleep(50);\n"
    "cs.mouseLeftUp(40,50);\n";

TEST_F(RecorderFromTheMainWindow, StopPutsTheRecordingIntoTheEditorAndUndoBringsTheScriptBack)
{
    const QString before = window.editor()->toScriptText();
    RpaView* view = startRecording();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(window.isVisible()) << "the main window hides while recording";
    EXPECT_EQ(view->windowTitle(), QStringLiteral("RPA 机器人流程自动化"));
    EXPECT_TRUE(view->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(view->pos().y(), 80);
    EXPECT_EQ(view->pos().x(),
              QGuiApplication::screens().first()->geometry().width() - view->width());
    ASSERT_TRUE(view->isRecording());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->records().size() == 3; }, 5000))
        << "waited 5000 ms for view->records().size() == 3, have " << view->records().size();

    QTest::mouseClick(view->findChild<QPushButton*>("btEnd"), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible()) << "closing the recorder brings the window back";
    EXPECT_EQ(window.editor()->toScriptText(), QString(kRecorded));
    EXPECT_TRUE(window.editor()->document()->isModified());

    window.editor()->undo();
    EXPECT_EQ(window.editor()->toScriptText(), before);
    window.editor()->redo();
    EXPECT_EQ(window.editor()->toScriptText(), QString(kRecorded));
}

TEST_F(RecorderFromTheMainWindow, ClosingTheRecorderWhileRecordingStillDeliversTheRecording)
{
    RpaView* view = startRecording();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->records().size() == 3; }, 5000))
        << "waited 5000 ms for view->records().size() == 3, have " << view->records().size();
    view->close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.editor()->toScriptText(), QString(kRecorded));
}

TEST_F(RecorderFromTheMainWindow, ClosingTheRecorderWithoutRecordingLeavesTheScript)
{
    const QString before = window.editor()->toScriptText();
    QTest::mouseClick(window.findChild<QPushButton*>("btRpa"), Qt::LeftButton);
    RpaView* view = openRecorder();
    ASSERT_NE(view, nullptr);
    QTest::mouseClick(view->findChild<QPushButton*>("btEnd"), Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.editor()->toScriptText(), before);
}

}  // namespace
