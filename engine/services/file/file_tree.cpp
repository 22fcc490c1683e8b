// Creating, copying, moving, renaming and removing files and folders.
#include <QDir>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <filesystem>
#include <system_error>

#include "core/file_kind.h"
#include "entry_path.h"
#include "file_service.h"

namespace tavix::file {

namespace {

bool occupied(const QFileInfo& info)
{
    // A dangling link occupies its name too.
    return info.exists() || info.isSymLink();
}

// Every entry of a folder, hidden and system ones included: all of them must
// go before the folder can.
QStringList everyEntry(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}

// Removes a file, a link or a whole folder with every entry, stopping
// at the first entry that cannot be removed. Links are removed, never
// followed: a link to a folder elsewhere must not empty that folder.
bool removeEntry(const QString& path)
{
    const QFileInfo info(path);
    if (!occupied(info))
        return false;
    if (info.isSymLink() || !info.isDir())
        return QFile::remove(path);
    for (const QString& name : everyEntry(path)) {
        if (!removeEntry(path + QLatin1Char('/') + name))
            return false;
    }
    return QDir().rmdir(path);
}

// The first folder in the tree at `path` (its own folder included) whose
// entries cannot be removed or listed, or an empty text when there is none:
// a removal that would stop half-way is refused before anything is deleted.
QString blockingFolder(const QString& path)
{
    const QFileInfo info(path);
    const QFileInfo parent(info.absolutePath());
    if (!parent.isWritable() || !parent.isExecutable())
        return parent.absoluteFilePath();
    if (info.isSymLink() || !info.isDir())
        return QString();
    if (!info.isWritable() || !info.isReadable() || !info.isExecutable())
        return info.absoluteFilePath();
    for (const QString& name : everyEntry(path)) {
        const QString blocking = blockingFolder(path + QLatin1Char('/') + name);
        if (!blocking.isEmpty())
            return blocking;
    }
    return QString();
}

// Copies the content of `from` over `to`. The destination is replaced only
// once the whole content is written, so a failed copy (or a copy onto the
// source itself) loses nothing.
bool copyContent(const QString& from, const QString& to, const char* function)
{
    // A device or FIFO at the target is refused rather than replaced by a
    // regular file; a link is written through (QSaveFile replaces what it points to).
    QFile source(from);
    if (from.isEmpty() || core::refuseSpecialFile(from, function)
        || core::refuseSpecialFile(to, function) || !source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (to.isEmpty() || !target.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << QStringLiteral("%1: cannot write").arg(QLatin1String(function)) << to << ":" << target.errorString();
        return false;
    }
    char chunk[65536];
    qint64 got;
    while ((got = source.read(chunk, sizeof chunk)) > 0) {
        if (target.write(chunk, got) != got)
            break;
    }
    if (got != 0) {
        qWarning().noquote() << QStringLiteral("%1: copying").arg(QLatin1String(function)) << from << "to" << to << "failed:"
                             << (got < 0 ? source.errorString() : target.errorString());
        target.cancelWriting();
        return false;
    }
    if (!target.commit()) {
        qWarning().noquote() << QStringLiteral("%1: cannot write").arg(QLatin1String(function)) << to << ":" << target.errorString();
        return false;
    }
    return true;
}

}  // namespace

bool create(const QString& path)
{
    if (path.isEmpty() || occupied(QFileInfo(path)))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

bool mkdirs(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(path).isDir() || QDir().mkpath(path);
}

bool remove(const QString& given)
{
    const QString path = entryPath(given, "TX_file_remove");
    if (path.isEmpty() || !occupied(QFileInfo(path)))
        return false;
    const QString blocking = blockingFolder(path);
    if (!blocking.isEmpty()) {
        qWarning().noquote() << "TX_file_remove: nothing removed," << blocking
                             << "does not let its entries be removed";
        return false;
    }
    return removeEntry(path);
}

bool copy(const QString& formPath, const QString& toPath)
{
    return copyContent(formPath, toPath, "TX_file_copy");
}

bool move(const QString& givenPath, const QString& toPath)
{
    const QString formPath = entryPath(givenPath, "TX_file_move");
    const QFileInfo source(formPath);
    if (formPath.isEmpty() || toPath.isEmpty() || !occupied(source) || occupied(QFileInfo(toPath)))
        return false;
    // A plain rename first (QFile::rename would fall back to a copy of its own
    // that does not notice a full volume).
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(formPath).toStdString(), QFile::encodeName(toPath).toStdString(),
                            error);
    if (!error)
        return true;
    // Another file system: copy, then delete the source; a copy that fails
    // leaves nothing behind, and one whose source cannot go is deleted again.
    // A link is copied as the link: moving it must not turn it into a copy of
    // what it points to.
    if (source.isSymLink()) {
        std::filesystem::copy_symlink(QFile::encodeName(formPath).toStdString(),
                                      QFile::encodeName(toPath).toStdString(), error);
        if (error) {
            qWarning().noquote() << "TX_file_move: cannot copy the link" << formPath << "to"
                                 << toPath << ":" << QString::fromStdString(error.message());
            return false;
        }
    } else {
        if (!source.isFile() || !copyContent(formPath, toPath, "TX_file_move"))
            return false;
        QFile::setPermissions(toPath, source.permissions());
    }
    if (!QFile::remove(formPath)) {
        qWarning().noquote() << "TX_file_move: cannot remove" << formPath;
        QFile::remove(toPath);
        return false;
    }
    return true;
}

bool rename(const QString& givenPath, const QString& name)
{
    const QString path = entryPath(givenPath, "TX_file_rename");
    if (path.isEmpty())
        return false;
    // A new name, not a path: it must not lead out of the folder.
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
        qWarning().noquote() << "TX_file_rename: not a file name:" << name;
        return false;
    }
    const QString renamed = QFileInfo(path).absolutePath() + QLatin1Char('/') + name;
    if (occupied(QFileInfo(renamed)))
        return false;
    return move(path, renamed);
}

}  // namespace tavix::file
