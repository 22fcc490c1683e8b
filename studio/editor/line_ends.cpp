#include "line_ends.h"

namespace vantor {

namespace {

// Length of the line end at i, 0 when there is none.
int lineEndAt(const QString& text, int i)
{
    const QChar c = text.at(i);
    if (c == QLatin1Char('\r'))
        return (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
    // The text framework also breaks blocks at its frame markers.
    if (c == QLatin1Char('\n') || c == QChar::ParagraphSeparator || c == QChar(0xfdd0)
        || c == QChar(0xfdd1))
        return 1;
    return 0;
}

}  // namespace

QString normaliseLineEnds(const QString& text, QStringList* ends)
{
    QString out;
    out.reserve(text.size());
    int from = 0;
    for (int i = 0; i < text.size();) {
        const int length = lineEndAt(text, i);
        if (length == 0) {
            ++i;
            continue;
        }
        out.append(text.midRef(from, i - from)).append(QLatin1Char('\n'));
        if (ends)
            ends->append(text.mid(i, length));
        i += length;
        from = i;
    }
    out.append(text.midRef(from));
    return out;
}

QString firstLineEnd(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (const int length = lineEndAt(text, i))
            return text.mid(i, length);
    }
    return QStringLiteral("\n");
}

}  // namespace vantor
