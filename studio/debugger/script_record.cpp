#include "script_record.h"

#include "line_ends.h"

namespace vantor {

ScriptRecord::ScriptRecord(const QString& source, const QString& fileName, int baseLineNumber)
    : source_(withUnixLineEnds(source)), fileName_(fileName), baseLineNumber_(baseLineNumber)
{
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

}  // namespace vantor
