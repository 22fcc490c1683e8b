#include "dir_listing.h"

#include <QDir>

namespace tavix::file {

QStringList listingEntries(const QString& directory)
{
    // Dangling links are listed (a folder holding one could not be removed
    // otherwise); devices, pipes and sockets count as system entries.
    const QFileInfoList entries = QDir(directory).entryInfoList(
        QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QStringList names;
    names.reserve(entries.size());
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || entry.isFile() || entry.isDir())
            names << entry.fileName();
    }
    return names;
}

}  // namespace tavix::file
