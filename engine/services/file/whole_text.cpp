#include "whole_text.h"

#include <QDebug>
#include <QFile>

#include "core/file_kind.h"
#include "text_encoding.h"

namespace tavix::file {

namespace {

// Larger files are refused: their UTF-16 form would not fit a string.
constexpr qint64 kMaxTextFile = qint64(512) * 1024 * 1024;

}  // namespace

QString readWholeText(const QString& path, const QByteArray& encoding, const char* function)
{
    QFile file(path);
    if (path.isEmpty() || core::refuseSpecialFile(path, function)
        || !file.open(QIODevice::ReadOnly))
        return QString();
    if (file.size() > kMaxTextFile) {
        qWarning().noquote() << "Cannot read" << path << ": larger than" << kMaxTextFile << "bytes";
        return QString();
    }
    const QByteArray content = file.readAll();
    return decodeTextFile(content, codecFor(encoding));
}

QStringRef lineByNumber(const QString& text, int number)
{
    // Line after line until line `number` or the end.
    QStringRef line;
    int count = 0;
    for (int start = 0; start < text.size();) {
        int end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        line = text.midRef(start, end - start);
        if (++count == number)
            break;
        start = end + 1;
    }
    return line;
}

}  // namespace tavix::file
