// The listing rule shared by listDir and listDirCount: files and
// sub-directories of one directory, without hidden and system entries and
// without "." and "..", sorted by name with letter case ignored.
#pragma once

#include <QStringList>

namespace tavix::file {

QStringList listingEntries(const QString& directory);

}  // namespace tavix::file
