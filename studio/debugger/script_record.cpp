#include "script_record.h"

ScriptRecord::ScriptRecord(const QString& source, const QString& fileName, int baseLineNumber)
    : source_(source), fileName_(fileName), baseLineNumber_(baseLineNumber)
{
    // The engine counts "\r\n" as one line end; so do the offsets below.
    source_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    offsets_.insert(baseLineNumber_, 0);
}

QString ScriptRecord::lineText(int lineNumber)
{
    const int start = lineOffset(lineNumber);
    if (start < 0)
        return QString();
    const int end = source_.indexOf(QLatin1Char('\n'), start);
    return source_.mid(start, end < 0 ? -1 : end - start);
}

int ScriptRecord::lineOffset(int lineNumber)
{
    if (lineNumber < baseLineNumber_)
        return -1;
    // Walk on from the nearest line already known at or before this one.
    auto known = offsets_.upperBound(lineNumber);
    --known;
    int line = known.key();
    int offset = known.value();
    while (line < lineNumber) {
        const int lineEnd = source_.indexOf(QLatin1Char('\n'), offset);
        if (lineEnd < 0)
            return -1;
        offset = lineEnd + 1;
        offsets_.insert(++line, offset);
    }
    return offset;
}
