#include "qt_screen.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPixmap>
#include <QScreen>
#include <atomic>

#include "tavix/platform/backends.h"
#include "tavix/platform/log.h"

namespace tavix::platform::qt {

Q_LOGGING_CATEGORY(lcPlatform, "tavix.platform")

namespace {

// The windowing platform on which the system's own grab shows what Qt shows.
#ifdef Q_OS_WIN
constexpr char kNativePlatform[] = "windows";
#else
constexpr char kNativePlatform[] = "xcb";
#endif

void releaseBuffer(void* buffer)
{
    delete static_cast<PixelBuffer*>(buffer);
}

bool headless()
{
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String(headlessPlatformName()) || name == QLatin1String("minimal");
}

QImage qtGrab(const QRect& area)
{
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return {};
    const QRect geometry = primary->geometry();
    const Rect wanted = areaOnScreen(toRect(area), geometry.width(), geometry.height());
    if (wanted.isEmpty())
        return {};
    // Window 0 is the root window, whose coordinates span the whole virtual desktop.
    const QPixmap pixmap = primary->grabWindow(0, geometry.x() + wanted.x, geometry.y() + wanted.y,
                                               wanted.width, wanted.height);
    if (pixmap.isNull())
        return {};
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

void toQtLog(const std::string& line)
{
    qCWarning(lcPlatform).noquote() << QString::fromStdString(line);
}

}  // namespace

QImage toImage(const PixelBuffer& buffer)
{
    if (buffer.isNull())
        return {};
    auto* kept = new PixelBuffer(buffer);
    return QImage(kept->pixels.get(), kept->width, kept->height, int(kept->bytesPerLine),
                  QImage::Format_RGB32, releaseBuffer, kept);
}

Rect toRect(const QRect& rect)
{
    if (rect == QRect())
        return {};
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QImage grabScreen(const QRect& area)
{
    if (!qGuiApp)
        return {};
    if (headless()) {
        static std::atomic<bool> said{false};
        if (!said.exchange(true))
            qCWarning(lcPlatform) << "No screen to grab: the application runs without a display";
        return {};
    }
    if (QGuiApplication::platformName() == QLatin1String(kNativePlatform)) {
        if (ScreenBackend* native = screen())
            return toImage(native->grab(toRect(area)));
    }
    return qtGrab(area);
}

void installLogSink()
{
    setLogSink(toQtLog);
}

}  // namespace tavix::platform::qt
