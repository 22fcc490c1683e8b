#include "capture_driver.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTest>

namespace vantor::test {

bool xdotool(const QStringList& args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

static QString n(int value)
{
    return QString::number(value);
}

bool dragOnScreen(QPoint from, QPoint to)
{
    return xdotool({"mousemove", n(from.x()), n(from.y()), "mousedown", "1", "mousemove", n(to.x()),
                    n(to.y()), "mouseup", "1"});
}

bool dragFrom(QPoint hover, QPoint by)
{
    const QPoint to = hover + by;
    return xdotool({"mousemove", n(hover.x()), n(hover.y()), "mousedown", "1", "mousemove",
                    n(to.x()), n(to.y()), "mouseup", "1"});
}

bool clickAt(QPoint at)
{
    return xdotool({"mousemove", n(at.x()), n(at.y()), "click", "1"});
}

bool pressKey(const char* key)
{
    return xdotool({"key", key});
}

QImage clipboardPngFromXclip()
{
    // The clipboard's owner is this process: its event loop must run while
    // xclip asks for the picture.
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", "image/png", "-o"});
    if (!QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 10000)) {
        xclip.kill();
        xclip.waitForFinished();
        return {};
    }
    const QByteArray png = xclip.readAllStandardOutput();
    if (!png.startsWith("\x89PNG"))
        return {};
    return QImage::fromData(png, "PNG");
}

Backdrop::Backdrop() : pattern_(800, 600, QImage::Format_RGB32)
{
    quint32 state = 12345;
    for (int y = 0; y < pattern_.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(pattern_.scanLine(y));
        for (int x = 0; x < pattern_.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            line[x] = 0xff000000u | (state >> 8);
        }
    }
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setGeometry(200, 150, pattern_.width(), pattern_.height());
}

void Backdrop::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, pattern_);
}

QImage screenNow()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

bool samePixels(const QImage& a, const QImage& b)
{
    return !a.isNull()
        && a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

}  // namespace vantor::test
