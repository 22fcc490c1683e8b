#include "dir_listing.h"

#include <QDir>

namespace tavix {

QStringList listingEntries(const QString& directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::NoDotAndDotDot,
                                     QDir::Name | QDir::IgnoreCase);
}

}  // namespace tavix
