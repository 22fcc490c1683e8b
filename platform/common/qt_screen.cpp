#include "qt_screen.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace tavix::platform {

QRect areaOnScreen(const QRect& area, const QRect& screen)
{
    const QRect local(QPoint(0, 0), screen.size());
    if (area == QRect())
        return local;
    return local.contains(area) ? area : QRect();
}

QImage QtScreen::grab(const QRect& area)
{
    QScreen* primary = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (!primary)
        return {};
    const QRect geometry = primary->geometry();
    const QRect wanted = areaOnScreen(area, geometry);
    if (wanted.isEmpty())
        return {};
    // Window 0 is the root window, whose coordinates span the whole virtual desktop.
    const QPixmap pixmap = primary->grabWindow(0, geometry.x() + wanted.x(),
                                               geometry.y() + wanted.y(), wanted.width(),
                                               wanted.height());
    if (pixmap.isNull())
        return {};
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace tavix::platform
