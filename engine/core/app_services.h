// The app family: files, programs and URLs opened by the desktop's default handlers.
#pragma once

#include <QString>

namespace tavix::core {

bool launchApp(const QString& path);
bool openUrl(const QString& url);

}  // namespace tavix::core
