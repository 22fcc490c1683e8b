#include "code_highlighter.h"

#include <QTextCharFormat>

#include "highlight_rules.h"

namespace vantor {

CodeHighLighter::CodeHighLighter(QTextDocument* document)
    : QSyntaxHighlighter(document), rules_(new HighlightRules)
{
}

const QTextCharFormat& CodeHighLighter::format(Qt::GlobalColor colour)
{
    auto found = formats_.find(colour);
    if (found == formats_.end()) {
        QTextCharFormat format;
        format.setForeground(QBrush(colour));
        found = formats_.insert(colour, format);
    }
    return *found;
}

CodeHighLighter::~CodeHighLighter()
{
    delete rules_;
}

void CodeHighLighter::highlightBlock(const QString& text)
{
    int state = OutsideComment;
    const QVector<HighlightSpan> spans = rules_->spans(text, previousBlockState(), &state);
    for (const HighlightSpan& span : spans)
        setFormat(span.start, span.length, format(span.colour));
    setCurrentBlockState(state);
}

}  // namespace vantor
