// One run of a script file through the shared script engine, the way the
// studio runs its editor's text: the same file name, first line 1.
#pragma once

#include <QString>

namespace vantor {

struct RunOutcome {
    bool uncaught = false;
    QString message;  // the exception's text
    int lineNumber = -1;
};

// Evaluates `text` (Windows line ends become "\n") and reports an uncaught exception.
RunOutcome runScriptText(const QString& text);

}  // namespace vantor
