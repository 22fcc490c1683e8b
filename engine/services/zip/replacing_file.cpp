#include "replacing_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

namespace tavix::zip {

ReplacingFile::ReplacingFile(const QString& finalPath) : final_(finalPath)
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

ReplacingFile::~ReplacingFile()
{
    if (!committed_ && !working_.isEmpty())
        QFile::remove(working_);
}

bool ReplacingFile::commit()
{
    if (working_.isEmpty())
        return false;
    // rename() replaces an existing archive in one step.
    if (std::rename(QFile::encodeName(working_).constData(), QFile::encodeName(final_).constData()) != 0) {
        qWarning("Could not put the file in place at %s", qUtf8Printable(final_));
        return false;
    }
    // QTemporaryFile makes the file private; the file gets the usual rights,
    // or those of the file it replaces.
    QFile::setPermissions(final_, permissions_);
    committed_ = true;
    return true;
}

}  // namespace tavix::zip
