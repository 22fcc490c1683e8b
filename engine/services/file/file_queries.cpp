// Questions about paths: existence, kind, size, line count, dates, listings.
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>

#include "caller_buffer.h"
#include "core/text.h"
#include "dir_listing.h"
#include "core/file_kind.h"
#include "file_service.h"
#include "reported_size.h"

using tavix::core::ResultText;

namespace tavix::file {

bool exists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool isFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool isDir(const QString& path)
{
    // Only absolute paths count: a relative one is always false.
    const QFileInfo info(path);
    return !path.isEmpty() && info.isAbsolute() && info.isDir() && info.isReadable();
}

bool isEmptyDir(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return false;
    if (!info.isDir())
        return true;  // a regular file lists nothing
    // Hidden entries count too: a folder holding only ".git" is not empty.
    return QDir(path).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

int getFileLiens(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || core::refuseSpecialFile(path, "TX_file_getFileLiens")
        || !file.open(QIODevice::ReadOnly))
        return 0;
    qint64 lineEnds = 0;
    char last = '\n';
    bool any = false;
    char chunk[65536];
    for (qint64 got; (got = file.read(chunk, sizeof chunk)) > 0;) {
        lineEnds += std::count(chunk, chunk + got, '\n');
        last = chunk[got - 1];
        any = true;
    }
    if (!any)
        return 0;
    return int(std::min<qint64>(lineEnds + (last != '\n' ? 1 : 0), INT_MAX));
}

int getFileSize(const QString& path)
{
    // Answered from the file's status without opening it: opening a FIFO blocks.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir() || !info.isReadable())
        return -1;
    // Sizes past the 32-bit range are reported as the largest one rather than wrapped.
    const int size = int(std::min<qint64>(info.size(), INT_MAX));
    rememberReportedSize(path, size);
    return size;
}

const char* getFileLongDate(const QString& path)
{
    static ResultText<16384> result;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return result.set(QStringLiteral("文件不存在或者不是一个文件"));
    return result.set(QByteArray::number(info.lastModified().toSecsSinceEpoch()));
}

const char* getFileStringDate(const QString& path)
{
    static ResultText<16384> result;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return result.set(QByteArray());
    return result.set(info.lastModified().toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

const char* getName(const QString& path)
{
    static ResultText<16384> result;
    return result.set(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
}

int listDirCount(const QString& path)
{
    const int count =
        path.isEmpty() || !QFileInfo(path).isDir() ? 0 : int(listingEntries(path).size());
    rememberReportedCount(path, count);
    return count;
}

int listDir(const QString& path, char* out)
{
    if (path.isEmpty() || !QFileInfo(path).isDir()) {
        qDebug().noquote() << "Failed to open directory" << path;
        return 0;
    }
    if (!out) {
        qWarning("TX_file_listDir: no output buffer");
        return 0;
    }
    QStringList names = listingEntries(path);
    // The caller sized `out` from the count reported to it; entries created
    // since then are left out rather than written past the buffer.
    const int room = reportedCount(path);
    if (room >= 0 && names.size() > room) {
        qWarning().noquote() << "TX_file_listDir:" << path << "holds" << names.size()
                             << "entries, storing the" << room
                             << "that TX_file_listDirCount reported";
        names.erase(names.begin() + room, names.end());
    }
    for (int i = 0; i < names.size(); ++i)
        storeInSlot(out + qint64(i) * kSlotSize, names[i].toUtf8());
    return int(names.size());
}

}  // namespace tavix::file
