#include "archive_target.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

namespace tavix {

ArchiveTarget::ArchiveTarget(const QString& finalPath) : final_(finalPath)
{
    if (finalPath.isEmpty())
        return;
    const QFileInfo info(finalPath);
    if (info.isDir())
        return;
    if (info.exists())
        permissions_ = info.permissions();
    // Hidden, so that packing a folder that holds its own archive skips it.
    QTemporaryFile file(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    file.setAutoRemove(false);
    if (file.open())
        working_ = file.fileName();
}

ArchiveTarget::~ArchiveTarget()
{
    if (!committed_ && !working_.isEmpty())
        QFile::remove(working_);
}

bool ArchiveTarget::commit()
{
    if (working_.isEmpty())
        return false;
    // rename() replaces an existing archive in one step.
    if (std::rename(QFile::encodeName(working_).constData(), QFile::encodeName(final_).constData()) != 0) {
        qWarning("Could not put the archive in place at %s", qUtf8Printable(final_));
        return false;
    }
    // QTemporaryFile makes the file private; an archive gets the usual rights,
    // or those of the archive it replaces.
    QFile::setPermissions(final_, permissions_);
    committed_ = true;
    return true;
}

}  // namespace tavix
