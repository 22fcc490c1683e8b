#include "entry_path.h"

#include <QDebug>

namespace tavix::file {

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

}  // namespace

QString entryPath(const QString& path, const char* function)
{
    if (path.isEmpty())
        return QString();
    int end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    if (end == 0) {
        qWarning().noquote()
            << QStringLiteral("%1: refusing the root folder").arg(QLatin1String(function)) << path;
        return QString();
    }
    int start = end;
    while (start > 0 && !isSeparator(path[start - 1]))
        --start;
    const QStringRef last = path.midRef(start, end - start);
    if (last == QLatin1String(".") || last == QLatin1String("..")) {
        qWarning().noquote() << QStringLiteral("%1: refusing a path that ends in \"%2\":")
                                    .arg(QLatin1String(function), last.toString())
                             << path;
        return QString();
    }
    return path.left(end);
}

}  // namespace tavix::file
