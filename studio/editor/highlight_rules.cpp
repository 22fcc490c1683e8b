#include "highlight_rules.h"

namespace vantor {

namespace {

constexpr Qt::GlobalColor kNameBeforeSeparator = Qt::darkRed;
constexpr Qt::GlobalColor kQuotation = Qt::darkGreen;
constexpr Qt::GlobalColor kFunctionName = Qt::blue;
constexpr Qt::GlobalColor kKeyword = Qt::darkMagenta;
constexpr Qt::GlobalColor kComment = Qt::darkGreen;

QRegExp pattern(const QString& text)
{
    return QRegExp(text, Qt::CaseSensitive, QRegExp::RegExp);
}

}  // namespace

const QStringList& HighlightRules::keywords()
{
    static const QStringList words = {
        "Infinity",     "NaN",      "abstract",  "boolean",    "break",     "byte",
        "case",         "catch",    "char",      "class",      "const",     "constructor",
        "continue",     "debugger", "default",   "delete",     "do",        "double",
        "else",         "enum",     "export",    "extends",    "false",     "final",
        "finally",      "float",    "for",       "function",   "goto",      "if",
        "implements",   "import",   "in",        "instanceof", "int",       "interface",
        "long",         "native",   "new",       "package",    "private",   "protected",
        "public",       "return",   "short",     "static",     "super",     "switch",
        "synchronized", "this",     "throw",     "throws",     "transient", "true",
        "try",          "typeof",   "undefined", "var",        "void",      "volatile",
        "while",        "with"};
    return words;
}

HighlightRules::HighlightRules()
    : commentStart_(pattern(QStringLiteral("/\\*"))), commentEnd_(pattern(QStringLiteral("\\*/")))
{
    rules_ = {
        {pattern(QStringLiteral("\\b[A-Za-z]+:\\b")), kNameBeforeSeparator},
        {pattern(QStringLiteral("\\b[A-Za-z]+\\.\\b")), kNameBeforeSeparator},
        {pattern(QStringLiteral("\".*\"")), kQuotation},
        {pattern(QStringLiteral("'.*'")), kQuotation},
        {pattern(QStringLiteral("\\b[A-Za-z0-9_]+(?=\\()")), kFunctionName},
    };
    // The keyword rules "\bword\b", one per keyword: a keyword matches exactly
    // where a whole word equals it, and no two such matches overlap, so one
    // pass over the words gives what the 62 patterns give, in one colour.
    rules_.append({QRegExp(), kKeyword});
    keywordSet_ = QSet<QString>(keywords().begin(), keywords().end());
    rules_.append({pattern(QStringLiteral("//[^\n]*")), kComment});
}

namespace {

// A word character as the patterns' \\b sees it.
bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_');
}

}  // namespace

void HighlightRules::appendKeywordSpans(const QString& text, QVector<HighlightSpan>& out) const
{
    const int size = text.size();
    int i = 0;
    while (i < size) {
        if (!isWordChar(text.at(i))) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < size && isWordChar(text.at(i)))
            ++i;
        const int length = i - start;
        // The longest keyword has 12 letters.
        if (length <= 12 && keywordSet_.contains(text.mid(start, length)))
            out.append({start, length, kKeyword});
    }
}

QVector<HighlightSpan> HighlightRules::spans(const QString& text, int previousState, int* state)
{
    QVector<HighlightSpan> out;
    for (Rule& rule : rules_) {
        if (rule.pattern.isEmpty()) {
            appendKeywordSpans(text, out);
            continue;
        }
        int i = rule.pattern.indexIn(text);
        while (i >= 0) {
            const int length = rule.pattern.matchedLength();
            out.append({i, length, rule.colour});
            i = rule.pattern.indexIn(text, i + length);
        }
    }

    *state = OutsideComment;
    int start = previousState == InsideComment ? 0 : commentStart_.indexIn(text);
    while (start >= 0) {
        // From the start marker itself, so "/*/" opens and closes a comment.
        const int end = commentEnd_.indexIn(text, start);
        int length;
        if (end < 0) {
            *state = InsideComment;
            length = text.size() - start;
        } else {
            length = end - start + commentEnd_.matchedLength();
        }
        if (length > 0)
            out.append({start, length, kComment});
        start = commentStart_.indexIn(text, start + length);
    }
    return out;
}

}  // namespace vantor
