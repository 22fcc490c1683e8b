#include "reported_size.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>

#include "caller_buffer.h"

namespace tavix::file {

namespace {

// Callers read right after asking for the size; a few recent paths suffice,
// and the table never grows without bound.
constexpr int kRemembered = 256;

QHash<QString, qint64>& reported()
{
    static QHash<QString, qint64> sizes;
    return sizes;
}

}  // namespace

void rememberReportedSize(const QString& path, qint64 size)
{
    QHash<QString, qint64>& sizes = reported();
    if (sizes.size() >= kRemembered && !sizes.contains(path))
        sizes.clear();
    sizes.insert(path, std::max<qint64>(size, 0));
}

qint64 readCapacity(const QString& path)
{
    qint64 size = std::max<qint64>(QFileInfo(path).size(), 0);
    const auto known = reported().constFind(path);
    if (known != reported().constEnd())
        size = std::min(size, *known);
    return size + kReadSlack;
}

}  // namespace tavix::file
