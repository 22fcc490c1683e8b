#include "code_highlighter.h"

#include <QTextCharFormat>

#include "highlight_rules.h"

namespace vantor {

CodeHighLighter::CodeHighLighter(QTextDocument* document)
    : QSyntaxHighlighter(document), rules_(new HighlightRules)
{
}

CodeHighLighter::~CodeHighLighter()
{
    delete rules_;
}

void CodeHighLighter::highlightBlock(const QString& text)
{
    int state = OutsideComment;
    const QVector<HighlightSpan> spans = rules_->spans(text, previousBlockState(), &state);
    for (const HighlightSpan& span : spans) {
        QTextCharFormat format;
        format.setForeground(QBrush(span.colour));
        setFormat(span.start, span.length, format);
    }
    setCurrentBlockState(state);
}

}  // namespace vantor
