#include "recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace vantor {

namespace {
const QString kKey = QStringLiteral("recentFileList");
}

QStringList withRecentFile(QStringList list, const QString& path)
{
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > MaxRecentFiles)
        list.removeLast();
    return list;
}

QStringList readRecentFiles()
{
    return QSettings().value(kKey).toStringList();
}

void writeRecentFiles(const QStringList& list)
{
    QSettings settings;
    settings.setValue(kKey, list);
    settings.sync();
}

QString strippedName(const QString& path)
{
    return QFileInfo(path).fileName();
}

}  // namespace vantor
