// Colours script text while it is edited: the ordered pattern rules of
// highlight_rules.h, and comments that span blocks.
#pragma once

#include <QHash>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

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
    // One character format per colour, made on first use.
    const QTextCharFormat& format(Qt::GlobalColor colour);

    HighlightRules* rules_;
    QHash<int, QTextCharFormat> formats_;
};

}  // namespace vantor
