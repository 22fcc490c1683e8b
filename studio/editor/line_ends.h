// The line ends of script text. The document keeps lines as blocks and
// forgets how they ended; these helpers let a script written back keep its
// own "\n", "\r\n" or "\r" ends.
#pragma once

#include <QString>
#include <QStringList>

namespace vantor {

// The text with every line end ("\r\n", "\n", "\r", U+2029 and the
// text framework's frame markers) made "\n"; the
// ends found, in order, go to *ends when it is not null.
QString normaliseLineEnds(const QString& text, QStringList* ends = nullptr);

// The first line end of the text; "\n" when it has none.
QString firstLineEnd(const QString& text);

}  // namespace vantor
