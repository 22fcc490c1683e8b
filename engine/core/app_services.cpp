#include "app_services.h"

#include <QDebug>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

#include "application.h"

namespace tavix {

namespace {

bool openWithDesktop(const QUrl& url)
{
    return onApplicationThread([&url] { return qGuiApp && QDesktopServices::openUrl(url); });
}

}  // namespace

bool AppServices::launchApp(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        qWarning() << "File does not exist:" << path;
        return false;
    }
    return openWithDesktop(QUrl::fromLocalFile(path));
}

bool AppServices::openUrl(const QString& url)
{
    const QUrl parsed(url, QUrl::TolerantMode);
    if (!parsed.isValid())
        return false;
    return openWithDesktop(parsed);
}

}  // namespace tavix
