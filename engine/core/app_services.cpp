#include "app_services.h"

#include <QDebug>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

#include "application.h"

namespace tavix::core {

namespace {

bool openWithDesktop(const QUrl& url)
{
    return onApplicationThread([&url] { return qGuiApp && QDesktopServices::openUrl(url); });
}

}  // namespace

bool launchApp(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        qWarning() << "File does not exist:" << path;
        return false;
    }
    return openWithDesktop(QUrl::fromLocalFile(path));
}

bool openUrl(const QString& url)
{
    const QUrl parsed(url, QUrl::TolerantMode);
    if (!parsed.isValid())
        return false;
    return openWithDesktop(parsed);
}

}  // namespace tavix::core
