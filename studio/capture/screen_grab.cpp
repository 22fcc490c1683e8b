#include "screen_grab.h"

#include <QDebug>
#include <QGuiApplication>

#include "qt_screen.h"

namespace vantor {

QImage grabPrimaryScreen()
{
    QImage grab = tavix::platform::qt::grabScreen();
    if (grab.isNull())
        qWarning().noquote() << "Screen capture: the primary screen cannot be grabbed (platform"
                             << QGuiApplication::platformName() << ")";
    return grab;
}

QString grabFailureText()
{
    return QStringLiteral("无法截取屏幕：没有可用的显示器，或窗口系统不允许读取屏幕内容。");
}

}  // namespace vantor
