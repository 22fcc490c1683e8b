// Creating, copying, moving, renaming and removing files and folders.
#include <QDir>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "dir_listing.h"
#include "file_service.h"

namespace tavix {

namespace {

bool occupied(const QFileInfo& info)
{
    // A dangling link occupies its name too.
    return info.exists() || info.isSymLink();
}

// Removes a file, a link or a whole folder under the listing rule, stopping
// at the first entry that cannot be removed. Links are removed, never
// followed: a link to a folder elsewhere must not empty that folder.
bool removeEntry(const QString& path)
{
    const QFileInfo info(path);
    if (!occupied(info))
        return false;
    if (info.isSymLink() || !info.isDir())
        return QFile::remove(path);
    for (const QString& name : listingEntries(path)) {
        if (!removeEntry(path + QLatin1Char('/') + name))
            return false;
    }
    return QDir().rmdir(path);
}

}  // namespace

bool FileService::create(const QString& path)
{
    if (path.isEmpty() || occupied(QFileInfo(path)))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

bool FileService::mkdirs(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(path).isDir() || QDir().mkpath(path);
}

bool FileService::remove(const QString& path)
{
    return !path.isEmpty() && removeEntry(path);
}

bool FileService::copy(const QString& formPath, const QString& toPath)
{
    QFile source(formPath);
    if (formPath.isEmpty() || !source.open(QIODevice::ReadOnly))
        return false;
    // The destination is replaced only once the whole content is written, so
    // a failed copy (or a copy onto the source itself) loses nothing.
    QSaveFile target(toPath);
    if (toPath.isEmpty() || !target.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << "TX_file_copy: cannot write" << toPath << ":" << target.errorString();
        return false;
    }
    char chunk[65536];
    qint64 got;
    while ((got = source.read(chunk, sizeof chunk)) > 0) {
        if (target.write(chunk, got) != got)
            break;
    }
    if (got != 0) {
        qWarning().noquote() << "TX_file_copy: copying" << formPath << "to" << toPath << "failed:"
                             << (got < 0 ? source.errorString() : target.errorString());
        target.cancelWriting();
        return false;
    }
    return target.commit();
}

bool FileService::move(const QString& formPath, const QString& toPath)
{
    if (formPath.isEmpty() || toPath.isEmpty() || occupied(QFileInfo(toPath)))
        return false;
    // QFile::rename never overwrites; across file systems it copies, removes
    // the source, and deletes the copy again when either step fails.
    QFile file(formPath);
    if (!file.rename(toPath)) {
        qWarning().noquote() << "TX_file_move: cannot move" << formPath << "to" << toPath << ":"
                             << file.errorString();
        return false;
    }
    return true;
}

bool FileService::rename(const QString& path, const QString& name)
{
    if (path.isEmpty() || name.isEmpty())
        return false;
    const QString renamed = QFileInfo(path).absolutePath() + QLatin1Char('/') + name;
    if (occupied(QFileInfo(renamed)))
        return false;
    return move(path, renamed);
}

}  // namespace tavix
