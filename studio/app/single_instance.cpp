#include "single_instance.h"

#include <QByteArray>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantor {

namespace {

QByteArray readSmallFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(1 << 16);
}

// The base name of the process's executable: from the `exe` link where this
// user may read it (a replaced executable reads "name (deleted)"), else from
// `comm`, which holds the name the kernel took at exec time.
QString executableOf(const QString& processDir)
{
    QString target = QFile::symLinkTarget(processDir + QStringLiteral("/exe"));
    if (!target.isEmpty()) {
        const QString deleted = QStringLiteral(" (deleted)");
        if (target.endsWith(deleted))
            target.chop(deleted.size());
        return QFileInfo(target).fileName();
    }
    return QString::fromLocal8Bit(readSmallFile(processDir + QStringLiteral("/comm"))).trimmed();
}

// The DISPLAY of a process's environment; null when it cannot be read.
QByteArray displayOf(const QString& processDir, bool* readable)
{
    QFile file(processDir + QStringLiteral("/environ"));
    *readable = file.open(QIODevice::ReadOnly);
    if (!*readable)
        return {};
    const QByteArray prefix("DISPLAY=");
    for (const QByteArray& entry : file.readAll().split('\0'))
        if (entry.startsWith(prefix))
            return entry.mid(prefix.size());
    return {};
}

}  // namespace

QString studioExecutableName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Vantor.exe");
#else
    return QStringLiteral("Vantor");
#endif
}

bool anotherInstanceRunning(const QString& executableName, qint64 ownPid, const QString& procRoot)
{
    QDir proc(procRoot);
    if (!proc.exists()) {
        qDebug().noquote() << "Failed to create process snapshot.";
        return false;
    }
    const QByteArray ownDisplay = qgetenv("DISPLAY");
    // The process table says who we are: our own entry belongs to our user.
    const uint ownUser = QFileInfo(proc.filePath(QStringLiteral("self"))).ownerId();
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric || pid == ownPid)
            continue;
        const QString dir = proc.filePath(entry);
        if (executableOf(dir) != executableName)
            continue;
        // A studio of another user or on another desktop drives another
        // screen: it does not count.
        if (QFileInfo(dir).ownerId() != ownUser)
            continue;
        bool readable = false;
        if (displayOf(dir, &readable) != ownDisplay || !readable)
            continue;
        qDebug().noquote() << "The process is already running.";
        return true;
    }
    return false;
}

}  // namespace vantor
