// The recent-file list of the File menu, kept in the settings store under
// the organisation and application names (key "recentFileList").
#pragma once

#include <QString>
#include <QStringList>

namespace vantor {

constexpr int MaxRecentFiles = 5;

// `list` with `path` moved (or added) to the front, at most MaxRecentFiles long.
QStringList withRecentFile(QStringList list, const QString& path);

QStringList readRecentFiles();
void writeRecentFiles(const QStringList& list);

// The file name of `path` without its folder.
QString strippedName(const QString& path);

}  // namespace vantor
