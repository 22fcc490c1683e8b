// Base services on the real desktop: boxes, toasts, pixels, screenshots, clipboard,
// and the desktop's default handlers (a recording xdg-open placed first on PATH).
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstring>
#include <QWidget>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "display.h"
#include "log_capture.h"
#include "tavix.h"

namespace {

QMessageBox* visibleBox()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    return nullptr;
}

// A window of one solid colour.
class Swatch : public QWidget {
public:
    Swatch(const QRect& area, const QColor& colour)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setGeometry(area);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, colour);
        setPalette(p);
        show();
    }
};

class BaseOnX11 : public ::testing::Test {
protected:
    void SetUp() override { TAVIX_REQUIRE_X11(); }
};

TEST_F(BaseOnX11, MsgFromAWorkerThreadBlocksUntilOkIsPressed)
{
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        TX_baseclass_msg("hello world");
        returned = true;
    });

    // The box runs its own modal loop on this thread, so the test acts from a
    // timer, which that loop keeps serving.
    struct {
        bool seen = false, clicked = false, returnedEarly = false;
        QString title, text, buttonText;
        int buttons = 0;
        bool okIsDefault = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    } observed;
    QElapsedTimer shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QMessageBox* box = visibleBox();
        if (!box || observed.clicked)
            return;
        if (!observed.seen) {
            observed.seen = true;
            observed.title = box->windowTitle();
            observed.text = box->text();
            observed.icon = box->icon();
            observed.buttons = box->buttons().size();
            observed.buttonText = box->buttons().value(0) ? box->buttons().value(0)->text() : QString();
            observed.okIsDefault = box->buttons().value(0) == box->defaultButton();
            shown.start();
            return;
        }
        if (shown.elapsed() < 300)
            return;
        observed.returnedEarly = returned;
        observed.clicked = true;
        // Press "ok" with a real click on the button.
        QAbstractButton* ok = box->buttons().value(0);
        const QPoint centre = ok->mapToGlobal(ok->rect().center());
        TX_cs_mouseLeftClick(centre.x(), centre.y());
    });
    poll.start(50);

    const bool done = QTest::qWaitFor([&] { return returned.load(); }, 15000);
    poll.stop();
    if (!done) {
        if (QMessageBox* box = visibleBox())
            box->done(0);
        QTest::qWaitFor([&] { return returned.load(); }, 5000);
    }
    worker.join();
    EXPECT_TRUE(done) << "msg did not return after the click on ok";
    EXPECT_TRUE(observed.seen);
    EXPECT_FALSE(observed.returnedEarly) << "msg returned before ok was pressed";
    EXPECT_EQ(observed.title, "msg");
    EXPECT_EQ(observed.text, "hello world");
    EXPECT_EQ(observed.icon, QMessageBox::Information);
    EXPECT_EQ(observed.buttons, 1);
    EXPECT_EQ(observed.buttonText, "ok");
    EXPECT_TRUE(observed.okIsDefault);
    EXPECT_EQ(visibleBox(), nullptr);
}

TEST_F(BaseOnX11, MsgOnTheApplicationThreadAlsoWaitsForOk)
{
    QElapsedTimer clock;
    clock.start();
    bool clicked = false;
    QTimer::singleShot(500, [&] {
        if (QMessageBox* box = visibleBox()) {
            clicked = true;
            box->buttons().front()->click();
        }
    });
    TX_baseclass_msg("same thread");
    EXPECT_TRUE(clicked);
    EXPECT_GE(clock.elapsed(), 500);
}

TEST_F(BaseOnX11, ToastReturnsWhileVisibleAndClosesItselfAfterThreeSeconds)
{
    QElapsedTimer clock;
    clock.start();
    std::thread worker([] { TX_baseclass_toast("hello toast"); });
    QMessageBox* toast = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (toast = visibleBox()) != nullptr; }, 10000));
    worker.join();  // returned without anyone closing the toast
    EXPECT_EQ(toast->text(), "hello toast");
    EXPECT_TRUE(toast->buttons().isEmpty());
    EXPECT_EQ(int(toast->windowFlags()), 0x2000803);
    EXPECT_TRUE(toast->styleSheet().contains("background-color: white"));

    QPointer<QMessageBox> alive(toast);
    EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 10000));
    const qint64 lived = clock.elapsed();
    EXPECT_GE(lived, 2500);  // a coarse 3000 ms timer may fire up to 5 % early
    EXPECT_LT(lived, 8000);
}

// A huge text would take the box many seconds to lay out: it shows the start.
TEST_F(BaseOnX11, AHugeTextShowsItsStartAtOnce)
{
    tavix::test::LogCapture log;
    const std::string huge(1000000, 'x');
    std::thread worker([&huge] { TX_baseclass_toast(huge.c_str()); });
    QMessageBox* toast = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (toast = visibleBox()) != nullptr; }, 10000));
    worker.join();
    EXPECT_EQ(toast->text(), QString(4000, QLatin1Char('x')) + QChar(0x2026));
    EXPECT_TRUE(log.contains("The message box shows the first 4000 of 1000000 characters"));
    QPointer<QMessageBox> alive(toast);
    EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 10000));
}

TEST_F(BaseOnX11, GetColorReadsTheScreenPixelIntoOneStableArray)
{
    Swatch green(QRect(100, 100, 50, 50), QColor("#12ab34"));
    Swatch blue(QRect(200, 100, 50, 50), QColor("#0a0bfe"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&blue));
    ASSERT_TRUE(QTest::qWaitFor([] { return QByteArray(TX_baseclass_getColor(120, 120)) == "#12ab34"; }, 5000))
        << TX_baseclass_getColor(120, 120);
    const char* first = TX_baseclass_getColor(120, 120);
    const char* second = TX_baseclass_getColor(220, 120);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "#0a0bfe");
}

TEST_F(BaseOnX11, GetColorOffTheScreenIsEmptyWithALogLine)
{
    tavix::test::LogCapture log;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    for (const QPoint p : {QPoint(-1, 0), QPoint(0, -1), QPoint(screen.width(), 5),
                           QPoint(5, screen.height()), QPoint(1 << 30, 1 << 30)})
        EXPECT_STREQ(TX_baseclass_getColor(p.x(), p.y()), "");
    EXPECT_TRUE(log.contains("getColor"));
}

TEST_F(BaseOnX11, ScreenshotsWriteTheWholePrimaryScreen)
{
    Swatch red(QRect(300, 300, 40, 40), QColor("#fe0102"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&red));
    ASSERT_TRUE(QTest::qWaitFor([] { return QByteArray(TX_baseclass_getColor(310, 310)) == "#fe0102"; }, 5000));
    QTemporaryDir dir;
    for (const char* name : {"shot.png", "shot.JPG", "shot.bmp"}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(TX_baseclass_screenshots(path.toUtf8().constData())) << name;
        const QImage shot(path);
        EXPECT_EQ(shot.size(), QGuiApplication::primaryScreen()->size()) << name;
        if (QByteArray(name).endsWith(".png"))
            EXPECT_EQ(QColor(shot.pixel(320, 320)).name(), "#fe0102");
    }
}

TEST_F(BaseOnX11, ScreenshotsFailWithoutAWritablePathOrKnownFormat)
{
    QTemporaryDir dir;
    const QString keep = dir.filePath("keep.png");
    {
        QFile file(keep);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    const QString cases[] = {
        dir.filePath("missing/dir/shot.png"),  // no such folder
        keep + "/below-a-file.png",            // parent is a file
        dir.filePath("shot.unknownformat"),    // no writer for the suffix
        dir.filePath("no-suffix"),             // no format at all
        QString(),                             // empty path
    };
    for (const QString& path : cases) {
        EXPECT_FALSE(TX_baseclass_screenshots(path.toUtf8().constData())) << path.toStdString();
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    }
    EXPECT_FALSE(TX_baseclass_screenshots(nullptr));
    QFile file(keep);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old");
}

TEST_F(BaseOnX11, GetClipGivesTextOnlyFromAnyThread)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString text = QString::fromUtf8("h\xc3\xa9llo \xe4\xb8\x96\xe7\x95\x8c");
    clipboard->setText(text);
    ASSERT_TRUE(QTest::qWaitFor([&] { return clipboard->text() == text; }, 5000));
    EXPECT_EQ(QString::fromUtf8(TX_baseclass_getClip()), text);

    QString fromWorker;
    std::thread worker([&] { fromWorker = QString::fromUtf8(TX_baseclass_getClip()); });
    QTest::qWaitFor([&] { return !fromWorker.isEmpty(); }, 5000);
    worker.join();
    EXPECT_EQ(fromWorker, text);

    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    clipboard->setImage(picture);
    ASSERT_TRUE(QTest::qWaitFor([&] { return clipboard->mimeData()->hasImage(); }, 5000));
    EXPECT_STREQ(TX_baseclass_getClip(), "");

    clipboard->setText(QString(20000, QChar('x')));
    EXPECT_EQ(std::strlen(TX_baseclass_getClip()), 16383u);
    clipboard->clear();
}

TEST(Sleep, BlocksForAboutTheTimeAskedAndIgnoresNegative)
{
    QElapsedTimer clock;
    clock.start();
    TX_baseclass_sleep(120);
    EXPECT_GE(clock.elapsed(), 115);
    clock.restart();
    TX_baseclass_sleep(-5);
    TX_baseclass_sleep(0);
    EXPECT_LT(clock.elapsed(), 100);
}

// A stand-in for the desktop's default handler, first on PATH, that writes
// down what it was asked to open.
class DefaultHandler : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        log = dir->filePath("opened.txt");
        const QString script = dir->filePath("xdg-open");
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QString("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1'\n").arg(log).toUtf8());
        file.close();
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        qputenv("PATH", (dir->path() + ":" + qgetenv("PATH")).toUtf8());
    }
    static void TearDownTestSuite() { delete dir; }

    static QStringList opened()
    {
        QFile file(log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    static QTemporaryDir* dir;
    static QString log;
};
QTemporaryDir* DefaultHandler::dir = nullptr;
QString DefaultHandler::log;

TEST_F(DefaultHandler, LaunchAppOpensAnExistingFile)
{
    TAVIX_REQUIRE_X11();
    const QString target = dir->filePath("report file.txt");
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(TX_app_launchApp(target.toUtf8().constData()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened().contains(QUrl::fromLocalFile(target).toString(QUrl::FullyEncoded)); }, 5000))
        << opened().join(" | ").toStdString();
}

TEST_F(DefaultHandler, LaunchAppOfAMissingFileFailsWithAWarning)
{
    tavix::test::LogCapture capture;
    EXPECT_FALSE(TX_app_launchApp("/no/such/program.exe"));
    EXPECT_TRUE(capture.contains("File does not exist:"));
    EXPECT_TRUE(capture.contains("/no/such/program.exe"));
    EXPECT_FALSE(TX_app_launchApp(""));
    EXPECT_FALSE(TX_app_launchApp(nullptr));
}

TEST_F(DefaultHandler, OpenUrlHandsValidUrlsToTheDefaultHandler)
{
    TAVIX_REQUIRE_X11();
    EXPECT_TRUE(TX_app_openUrl("https://example.com/a?b=c"));
    EXPECT_TRUE(QTest::qWaitFor([] { return opened().contains("https://example.com/a?b=c"); }, 5000))
        << opened().join(" | ").toStdString();
}

TEST_F(DefaultHandler, OpenUrlRejectsInvalidUrls)
{
    const int before = opened().size();
    for (const char* url : {"http://[::1", "http://exa mple.com:99999999/", "", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(TX_app_openUrl(url)) << (url ? url : "(null)");
    QTest::qWait(100);
    EXPECT_EQ(opened().size(), before);
}

}  // namespace
