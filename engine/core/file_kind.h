// Files whose content has no end or whose opening may block.
#pragma once

#include <QFileInfo>
#include <QString>
#include <QtDebug>

namespace tavix::core {

// True, with a log line naming `function`, when `path` is a character device,
// a FIFO or a socket: reading /dev/zero never ends and opening a FIFO without
// a writer blocks, so content functions refuse them.
inline bool refuseSpecialFile(const QString& path, const char* function)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile() || info.isDir())
        return false;
    qWarning().noquote()
        << QStringLiteral("%1: not a regular file: %2").arg(QLatin1String(function), path);
    return true;
}

}  // namespace tavix::core
