#include "code_highlighter.h"

namespace vantor {

CodeHighLighter::CodeHighLighter(QTextDocument* document)
    : QSyntaxHighlighter(document), rules_(nullptr)
{
}

CodeHighLighter::~CodeHighLighter() = default;

void CodeHighLighter::highlightBlock(const QString&) {}

}  // namespace vantor
