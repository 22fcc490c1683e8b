#include "desktop.h"

#include <QGuiApplication>
#include <QScreen>

#include "qt_screen.h"

namespace tavix::core {

QRect primaryScreenGeometry()
{
    if (!qGuiApp)
        return {};
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QSize primaryScreenSize()
{
    const QRect screen = primaryScreenGeometry();
    return screen.isValid() ? screen.size() : QSize(0, 0);
}

QImage grabScreen(const QRect& area)
{
    if (!qGuiApp) {
        qWarning("Cannot grab the screen before TX_api_initialize");
        return {};
    }
    return platform::qt::grabScreen(area);
}

}  // namespace tavix::core
