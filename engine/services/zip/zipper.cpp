#include "zipper.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>

#include "core/file_kind.h"
#include "entry_names.h"
#include "replacing_file.h"

namespace tavix::zip {

namespace {

constexpr qint64 kChunk = 4096;

// Entry names are written and read as UTF-8, which is what tools on this
// system use.
void useUtf8Names(QuaZip& zip)
{
    zip.setFileNameCodec("UTF-8");
}

bool openNewEntry(QuaZipFile& entry, const QString& name, const QString& source, const char* password)
{
    return entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name, source), password, 0, Z_DEFLATED,
                      Z_DEFAULT_COMPRESSION);
}

// Copies all of `from` into `to`; false on a read or write error.
bool copyAll(QIODevice& from, QIODevice& to)
{
    QByteArray buffer(int(kChunk), Qt::Uninitialized);
    for (;;) {
        const qint64 got = from.read(buffer.data(), kChunk);
        if (got == 0)
            return true;
        if (got < 0 || to.write(buffer.constData(), got) != got)
            return false;
    }
}

// The files of a tree in walk order: at each level files and folders as the
// file system lists them (hidden and system entries left out), each folder
// walked where it is met. Linked folders are not followed, so a link back up
// the tree cannot make the walk endless.
void walk(const QString& folder, QStringList& files)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            if (!entry.isSymLink())
                walk(entry.filePath(), files);
        } else {
            files << entry.filePath();
        }
    }
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// Tells whether paths (existing or not) stay inside the destination once
// links are resolved. Unpacking creates folders and plain files only, so a
// folder found inside once stays inside and is not resolved again.
class Containment {
public:
    explicit Containment(const QString& root) : base_(QFileInfo(root).canonicalFilePath()) {}

    bool holds(const QString& path)
    {
        if (base_.isEmpty())
            return false;
        // The nearest part of the path that exists (a dangling link counts).
        QFileInfo probe(path);
        while (!probe.exists() && !probe.isSymLink() && probe.filePath() != probe.path())
            probe = QFileInfo(probe.path());
        if (probe.isSymLink())
            return inside(probe.canonicalFilePath());
        const QString folder = probe.isDir() ? probe.filePath() : probe.path();
        if (checked_.contains(folder))
            return true;
        if (!inside(QFileInfo(folder).canonicalFilePath()))
            return false;
        checked_.insert(folder);
        return true;
    }

private:
    bool inside(const QString& resolved) const
    {
        return !resolved.isEmpty() && (resolved == base_ || resolved.startsWith(base_ + QLatin1Char('/')));
    }

    QString base_;
    QSet<QString> checked_;
};

// Opens the archive's current entry for reading. An enciphered entry without
// a password would only yield its cipher text, so that counts as a failure.
// A password goes to enciphered entries only: given for a plain one, the
// reader would take its first bytes for an encryption header.
bool openEntry(QuaZip& zip, QuaZipFile& entry, const char* password)
{
    QuaZipFileInfo64 info;
    if (!zip.getCurrentFileInfo(&info))
        return false;
    if (!info.isEncrypted())
        return entry.open(QIODevice::ReadOnly);
    if (!password) {
        qDebug().noquote() << "entry" << info.name << "is enciphered and no password was given";
        return false;
    }
    return entry.open(QIODevice::ReadOnly, password);
}

// Traditional encryption cannot tell a wrong password when the entry is
// opened; the inflater or the checksum does, so the start of the first entry
// (all of it when small) is read as the password check.
bool firstEntryReadable(QuaZip& zip, const char* password)
{
    constexpr qint64 kProbe = 256 * 1024;
    QuaZipFile entry(&zip);
    if (!zip.goToFirstFile() || !openEntry(zip, entry, password))
        return false;
    QByteArray buffer(int(kChunk), Qt::Uninitialized);
    qint64 total = 0;
    while (total < kProbe) {
        const qint64 got = entry.read(buffer.data(), kChunk);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        total += got;
    }
    const bool whole = entry.atEnd();
    entry.close();
    return !whole || entry.getZipError() == UNZ_OK;
}

// How unpacking one entry ended.
enum class Unpacked { Done, NoOutput, ReadFailed, WriteFailed, CheckFailed, NoRoom, TooLong };

// The size the archive declares for its current entry once unpacked; -1 when
// it cannot be read.
qint64 declaredSize(QuaZip& zip)
{
    QuaZipFileInfo64 info;
    return zip.getCurrentFileInfo(&info) ? qint64(info.uncompressedSize) : -1;
}

// Unpacks the open `entry` into `outPath` and closes it. The output replaces
// an existing file only once the entry has been read whole and its checksum
// matched; the entry's error code stays readable afterwards. An entry is never
// written beyond its declared size (a longer one is dropped as a whole), and
// one that would not fit the destination's free space is not started.
Unpacked unpackEntry(QuaZipFile& entry, qint64 declared, const QString& outPath)
{
    const QStorageInfo volume(QFileInfo(outPath).absolutePath());
    if (declared < 0 || (volume.isValid() && declared > volume.bytesAvailable())) {
        entry.close();
        return Unpacked::NoRoom;
    }
    ReplacingFile target(outPath);
    QFile output(target.workingPath());
    if (target.workingPath().isEmpty() || !output.open(QIODevice::WriteOnly))
        return Unpacked::NoOutput;
    QByteArray buffer(int(kChunk), Qt::Uninitialized);
    Unpacked result = Unpacked::Done;
    for (qint64 written = 0;;) {
        const qint64 got = entry.read(buffer.data(), kChunk);
        if (got == 0 && entry.atEnd())
            break;
        if (got <= 0) {
            result = Unpacked::ReadFailed;
            break;
        }
        if (got > declared - written) {
            result = Unpacked::TooLong;
            break;
        }
        written += got;
        if (output.write(buffer.constData(), got) != got) {
            result = Unpacked::WriteFailed;
            break;
        }
    }
    entry.close();
    output.close();
    if (result == Unpacked::Done && entry.getZipError() != UNZ_OK)
        result = Unpacked::CheckFailed;
    if (result == Unpacked::Done && output.error() != QFileDevice::NoError)
        result = Unpacked::WriteFailed;
    if (result == Unpacked::Done && !target.commit())
        result = Unpacked::WriteFailed;
    return result;
}

}  // namespace

bool zipFile(const QString& filePath, const QString& dest, const char* password)
{
    ReplacingFile target(dest);
    QuaZip zip(target.workingPath());
    useUtf8Names(zip);
    if (target.workingPath().isEmpty()) {
        qDebug().noquote() << "zip not create" << dest;
        return false;
    }
    // The source is checked before anything is written: a missing one leaves
    // an archive already at the destination as it was.
    QFile source(filePath);
    if (!QFileInfo(filePath).isFile() || !source.open(QIODevice::ReadOnly)) {
        qDebug().noquote() << "file not exists or open" << filePath;
        return false;
    }
    if (!zip.open(QuaZip::mdCreate)) {
        qDebug().noquote() << "zip not create" << dest;
        return false;
    }
    QuaZipFile entry(&zip);
    if (!openNewEntry(entry, QFileInfo(filePath).fileName(), filePath, password)) {
        qDebug().noquote() << "zip file not open" << filePath;
        zip.close();
        return false;
    }
    const bool copied = copyAll(source, entry);
    entry.close();
    const bool written = entry.getZipError() == ZIP_OK;
    zip.close();
    if (!copied || !written || zip.getZipError() != ZIP_OK) {
        qDebug().noquote() << "zip write failed" << filePath << "->" << dest;
        return false;  // the unfinished archive is dropped
    }
    return target.commit();
}

bool zipDir(const QString& dir, const QString& dest, const char* password)
{
    ReplacingFile target(dest);
    QuaZip zip(target.workingPath());
    useUtf8Names(zip);
    if (target.workingPath().isEmpty()) {
        qDebug().noquote() << "Could not create zip:" + dest;
        return false;
    }
    // A missing folder is refused before anything is written: an archive
    // already at the destination stays as it was.
    const QString root = QString(dir).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!QFileInfo(root).isDir()) {
        qDebug().noquote() << "not a directory:" << dir;
        return false;
    }
    if (!zip.open(QuaZip::mdCreate)) {
        qDebug().noquote() << "Could not create zip:" + dest;
        return false;
    }
    QStringList files;
    walk(root, files);
    for (const QString& path : files) {
        if (sameFile(path, dest))
            continue;
        QFile source(path);
        if (!source.open(QIODevice::ReadOnly)) {
            qDebug().noquote() << "skipped unreadable file" << path;
            continue;
        }
        QuaZipFile entry(&zip);
        const QString name = nameInTree(root, path);
        if (!openNewEntry(entry, name, path, password)) {
            qDebug().noquote() << "skipped entry that did not open" << name;
            continue;
        }
        if (!copyAll(source, entry))
            qDebug().noquote() << "read failed" << path;
        entry.close();
    }
    zip.close();
    if (zip.getZipError() != ZIP_OK || !target.commit()) {
        qDebug().noquote() << "Could not create zip:" + dest;
        return false;
    }
    return true;
}

void unZip(const QString& zipFilePath, const QString& dest, const char* password)
{
    // Opening a FIFO as the archive would wait for a writer for ever.
    if (core::refuseSpecialFile(zipFilePath, "open zipfile failed"))
        return;
    QuaZip zip(zipFilePath);
    useUtf8Names(zip);
    QuaZipFile entry(&zip);
    if (!zip.open(QuaZip::mdUnzip) || !zip.goToFirstFile() || !openEntry(zip, entry, password)) {
        qDebug().noquote() << "open zipfile failed" << zipFilePath;
        return;
    }
    const qint64 declared = declaredSize(zip);
    switch (unpackEntry(entry, declared, dest)) {
    case Unpacked::Done: break;
    case Unpacked::NoOutput: qDebug().noquote() << "file write failed" << dest; break;
    case Unpacked::NoRoom:
        qWarning().noquote() << "entry of" << declared << "bytes does not fit the free space at"
                             << dest;
        break;
    case Unpacked::TooLong:
        qWarning().noquote() << "entry runs past its declared" << declared
                             << "bytes; not written:" << dest;
        break;
    default:
        qDebug().noquote() << "file write failed" << dest << "(entry error" << entry.getZipError()
                           << ")";
    }
}

void unZipDir(const QString& archive, const QString& dest, const char* password)
{
    if (core::refuseSpecialFile(archive, "unZipDir"))
        return;
    if (!QFileInfo(archive).isFile()) {
        qDebug().noquote() << "file not exists" << archive;
        return;
    }
    if (QFileInfo::exists(dest) && !QDir(dest).isEmpty(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        qDebug().noquote() << "dir is not empty";
    if (!QDir().mkpath(dest)) {
        qDebug().noquote() << dest << "create failed";
        return;
    }
    QuaZip zip(archive);
    useUtf8Names(zip);
    if (!zip.open(QuaZip::mdUnzip)) {
        qDebug().noquote() << "open zip failed" << archive;
        return;
    }
    if (!firstEntryReadable(zip, password)) {
        qDebug().noquote() << "zip file" << archive << " open failed";
        return;
    }
    Containment destination(dest);
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        const QString name = zip.getCurrentFileName();
        if (isUnsafe(name)) {
            qWarning().noquote() << "skipped entry outside the destination:" << name;
            continue;
        }
        const QString outPath = outputPath(dest, name);
        if (isDirectoryEntry(name)) {
            if (!destination.holds(outPath) || !QDir().mkpath(outPath))
                qDebug().noquote() << outPath << "create failed";
            continue;
        }
        QuaZipFile entry(&zip);
        if (!openEntry(zip, entry, password)) {
            qDebug().noquote() << "read" << name << "failed";
            continue;
        }
        if (!destination.holds(outPath)) {
            qWarning().noquote() << "skipped entry that leads outside the destination through a link:" << name;
            continue;
        }
        if (!QFileInfo::exists(outPath))
            QDir().mkpath(QFileInfo(outPath).path());
        const qint64 declared = declaredSize(zip);
        switch (unpackEntry(entry, declared, outPath)) {
        case Unpacked::Done: break;
        case Unpacked::NoRoom:
            qWarning().noquote() << "skipped entry of" << declared
                                 << "bytes that does not fit the free space:" << name;
            break;
        case Unpacked::TooLong:
            qWarning().noquote() << "skipped entry that runs past its declared" << declared
                                 << "bytes:" << name;
            break;
        case Unpacked::ReadFailed: qDebug().noquote() << "read failed" << name; break;
        case Unpacked::CheckFailed:
            qDebug().noquote() << "read failed" << name << "(entry error" << entry.getZipError()
                               << ")";
            break;
        case Unpacked::NoOutput:
        case Unpacked::WriteFailed: qDebug().noquote() << outPath << "write failed"; break;
        }
    }
    zip.close();
}

}  // namespace tavix::zip
