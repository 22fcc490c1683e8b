// What a debugger tells the run it serves. The run implements it; the debugger
// knows nothing else of the run. Every call comes on the evaluating thread.
#pragma once

#include <QJsonArray>
#include <QString>

namespace vantor {

class DebuggerListener {
public:
    virtual ~DebuggerListener() = default;

    // The script stopped before the statement on `lineNumber`, whose text is
    // `lineText` (null when the script has no such line).
    virtual void pausedAt(int lineNumber, const QString& lineText) = 0;
    // The variables of that pause, one {name: value text} object each; sent
    // before the script blocks.
    virtual void variablesShown(const QJsonArray& view) = 0;
    // An exception no handler of the script catches was thrown at that line;
    // its message follows as log text.
    virtual void uncaughtExceptionAt(int lineNumber, const QString& lineText) = 0;
    // A line for the studio's log panel.
    virtual void logText(const QString& text) = 0;
};

}  // namespace vantor
