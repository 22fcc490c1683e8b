#include "reported_size.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <mutex>

#include "caller_buffer.h"

namespace tavix::file {

namespace {

// Callers read right after asking for the size; a few recent paths suffice,
// and the table never grows without bound. Calls may come from several threads.
class RecentValues {
public:
    void remember(const QString& path, qint64 value)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (values_.size() >= kRemembered && !values_.contains(path))
            values_.clear();
        values_.insert(path, value);
    }

    qint64 find(const QString& path, qint64 unknown) const
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return values_.value(path, unknown);
    }

private:
    static constexpr int kRemembered = 256;
    mutable std::mutex mutex_;
    QHash<QString, qint64> values_;
};

RecentValues& reportedSizes()
{
    static RecentValues sizes;
    return sizes;
}

RecentValues& reportedCounts()
{
    static RecentValues counts;
    return counts;
}

}  // namespace

void rememberReportedSize(const QString& path, qint64 size)
{
    reportedSizes().remember(path, std::max<qint64>(size, 0));
}

qint64 readCapacity(const QString& path)
{
    qint64 size = std::max<qint64>(QFileInfo(path).size(), 0);
    const qint64 known = reportedSizes().find(path, -1);
    if (known >= 0)
        size = std::min(size, known);
    return size + kReadSlack;
}

void rememberReportedCount(const QString& path, int count)
{
    reportedCounts().remember(path, std::max(count, 0));
}

int reportedCount(const QString& path)
{
    return int(reportedCounts().find(path, -1));
}

}  // namespace tavix::file
