// The colouring rules of script text, without a document: an ordered list of
// patterns applied to one block after another, and /* */ comments that carry
// over from block to block through the block's end state.
#pragma once

#include <QRegExp>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <Qt>

namespace vantor {

struct HighlightSpan {
    int start;
    int length;
    Qt::GlobalColor colour;

    bool operator==(const HighlightSpan& other) const
    {
        return start == other.start && length == other.length && colour == other.colour;
    }
};

// Block end states.
enum CommentState { OutsideComment = 0, InsideComment = 1 };

class HighlightRules {
public:
    HighlightRules();

    // The spans of one block in the order they are applied (a later span
    // overrides an earlier one where they overlap). previousState is the end
    // state of the block before (-1 for none); *state gets this block's.
    QVector<HighlightSpan> spans(const QString& text, int previousState, int* state);

    // The words coloured as keywords, in rule order.
    static const QStringList& keywords();

private:
    // A rule colours what its pattern matches; a rule without a pattern stands
    // for the keyword rules, which colour whole words found in keywordSet_.
    struct Rule {
        QRegExp pattern;
        Qt::GlobalColor colour;
    };
    void appendKeywordSpans(const QString& text, QVector<HighlightSpan>& out) const;

    QVector<Rule> rules_;
    QSet<QString> keywordSet_;
    QRegExp commentStart_;
    QRegExp commentEnd_;
};

}  // namespace vantor
