// Script text is held with "\n" line ends: the script engine counts "\r\n"
// as one line end, and the editor's line numbers, the debugger's line texts
// and the runs agree that way.
#pragma once

#include <QString>

namespace vantor {

inline QString withUnixLineEnds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace vantor
