// Without a display the engine still starts: it runs on the offscreen platform,
// drops input, and screen-bound calls fail cleanly.
#include <QDir>
#include <QFile>
#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "log_capture.h"
#include "tavix.h"

namespace {

TEST(Headless, EngineBuildsAnOffscreenApplication)
{
    ASSERT_TRUE(qgetenv("DISPLAY").isEmpty()) << "run this test without DISPLAY";
    ASSERT_NE(qGuiApp, nullptr);
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
}

TEST(Headless, ScreenBoundCallsFailWithALogLine)
{
    tavix::test::LogCapture log;
    EXPECT_STREQ(TX_baseclass_getColor(10, 10), "");
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.png");
    EXPECT_FALSE(TX_baseclass_screenshots(path.toUtf8().constData()));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(log.contains("Failed to grab the screen"));
}

// A modal box that nobody can see or answer would block the caller for ever.
TEST(Headless, MessageBoxesReturnAtOnceWithTheirTextLogged)
{
    tavix::test::LogCapture log;
    TX_baseclass_msg("nobody can answer this");
    EXPECT_TRUE(log.contains("No display to show the message box: nobody can answer this"));
    TX_baseclass_toast("a toast needs no answer");
}

TEST(Headless, InputIsDroppedWithOneWarning)
{
    tavix::test::LogCapture log;
    TX_cs_mouseLeftClick(10, 10);
    TX_cs_mouseDrag(1, 2, 3, 4);
    TX_cs_keyPress(0x41);
    TX_cs_home();
    int warnings = 0;
    for (const QString& line : log.lines())
        warnings += line.contains("No input injection available");
    EXPECT_LE(warnings, 1);
}

TEST(Headless, ClipboardStillWorksInProcess)
{
    QGuiApplication::clipboard();
    EXPECT_STREQ(TX_baseclass_getClip(), "");
}

}  // namespace
