#include "replacing_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

#include "core/file_kind.h"

namespace tavix::zip {

namespace {

// The path a chain of links ends at (`path` itself when it is no link; the end
// need not exist), so that replacing that file keeps the links; empty for a
// chain that loops.
QString endOfLinks(const QString& path)
{
    constexpr int kMaxLinks = 40;  // the kernel's own limit
    QString current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = info.symLinkTarget();
    }
    return {};
}

}  // namespace

ReplacingFile::ReplacingFile(const QString& finalPath)
{
    if (finalPath.isEmpty())
        return;
    final_ = endOfLinks(finalPath);
    if (final_.isEmpty()) {
        qWarning("Cannot replace %s: its links loop", qUtf8Printable(finalPath));
        return;
    }
    const QFileInfo info(final_);
    if (info.isDir())
        return;
    // Renaming over a device or FIFO would put a plain file in its place.
    if (core::refuseSpecialFile(final_, "Cannot replace the file"))
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
