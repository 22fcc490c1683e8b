// Colours script text while it is edited: the ordered pattern rules of
// highlight_rules.h, and comments that span blocks.
#pragma once

#include <QSyntaxHighlighter>

class QTextDocument;

namespace vantor {

class HighlightRules;

class CodeHighLighter : public QSyntaxHighlighter {
public:
    explicit CodeHighLighter(QTextDocument* document);
    ~CodeHighLighter() override;

protected:
    void highlightBlock(const QString& text) override;

private:
    HighlightRules* rules_;
};

}  // namespace vantor
