// The X11 backend's own tables and mappings, and its shared-memory grab.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "display.h"
#include "tavix/platform/backends.h"
#include "linux/x11/x11_keymap.h"
#include "qt_screen.h"

namespace {

using tavix::platform::x11::keysymForVirtualKey;

struct KeyMapping {
    std::uint8_t vk;
    unsigned long keysym;
};

TEST(Keymap, VirtualKeysMapToUsLayoutKeysyms)
{
    const KeyMapping cases[] = {
        {0x41, XK_a},         {0x5A, XK_z},        {0x30, XK_0},         {0x39, XK_9},
        {0x70, XK_F1},        {0x7B, XK_F12},      {0x87, XK_F24},       {0x60, XK_KP_0},
        {0x69, XK_KP_9},      {0x6A, XK_KP_Multiply}, {0x6E, XK_KP_Decimal}, {0x08, XK_BackSpace},
        {0x09, XK_Tab},       {0x0D, XK_Return},   {0x1B, XK_Escape},    {0x20, XK_space},
        {0x21, XK_Prior},     {0x22, XK_Next},     {0x23, XK_End},       {0x24, XK_Home},
        {0x25, XK_Left},      {0x26, XK_Up},       {0x27, XK_Right},     {0x28, XK_Down},
        {0x2D, XK_Insert},    {0x2E, XK_Delete},   {0x10, XK_Shift_L},   {0x11, XK_Control_L},
        {0x12, XK_Alt_L},     {0xA1, XK_Shift_R},  {0xA3, XK_Control_R}, {0xA5, XK_Alt_R},
        {0x5B, XK_Super_L},   {0x5C, XK_Super_R},  {0x14, XK_Caps_Lock}, {0x90, XK_Num_Lock},
        {0xBA, XK_semicolon}, {0xBB, XK_equal},    {0xBC, XK_comma},     {0xBD, XK_minus},
        {0xBE, XK_period},    {0xBF, XK_slash},    {0xC0, XK_grave},     {0xDB, XK_bracketleft},
        {0xDC, XK_backslash}, {0xDD, XK_bracketright}, {0xDE, XK_apostrophe},
        {0x00, 0},            {0x07, 0},           {0xFF, 0},  // no key
    };
    for (const KeyMapping& c : cases)
        EXPECT_EQ(keysymForVirtualKey(c.vk), c.keysym) << std::hex << int(c.vk);
}

class SharedMemoryGrab : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAVIX_REQUIRE_X11();
        ASSERT_NE(tavix::platform::screen(), nullptr);
    }
};

// The native grab alone, without the adapter's fallback to Qt's grab.
QImage grab(const QRect& area)
{
    namespace qt = tavix::platform::qt;
    return qt::toImage(tavix::platform::screen()->grab(qt::toRect(area)));
}

TEST_F(SharedMemoryGrab, MatchesQtsOwnGrabPixelForPixel)
{
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setGeometry(50, 60, 300, 200);
    window.setStyleSheet("background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #ff0000, stop:1 #0000ff);");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);

    const QImage ours = grab(QRect());
    const QImage qts = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(ours.isNull());
    EXPECT_EQ(ours.size(), QGuiApplication::primaryScreen()->size());
    EXPECT_EQ(ours.format(), QImage::Format_RGB32);
    EXPECT_TRUE(ours == qts);

    const QImage part = grab(QRect(60, 70, 100, 50));
    EXPECT_TRUE(part == qts.copy(60, 70, 100, 50));
}

TEST_F(SharedMemoryGrab, KeptImagesSurviveLaterGrabs)
{
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setGeometry(0, 0, 100, 100);
    window.setStyleSheet("background: #00ff00;");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(
        QTest::qWaitFor([] { return grab(QRect(10, 10, 1, 1)).pixel(0, 0) == 0xff00ff00u; }, 5000));
    const QImage kept = grab(QRect(0, 0, 20, 20));

    window.setStyleSheet("background: #ff00ff;");
    ASSERT_TRUE(
        QTest::qWaitFor([] { return grab(QRect(10, 10, 1, 1)).pixel(0, 0) == 0xffff00ffu; }, 5000));
    EXPECT_EQ(kept.pixel(10, 10), 0xff00ff00u) << "a later grab overwrote an image still in use";
}

TEST_F(SharedMemoryGrab, AreasOffTheScreenGiveNullImages)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    for (const QRect area : {QRect(-1, 0, 5, 5), QRect(screen.width() - 20, 0, 21, 5),
                             QRect(0, screen.height(), 1, 1), QRect(5, 5, 0, 0)})
        EXPECT_TRUE(grab(area).isNull());
}

}  // namespace
