// The debugger a run attaches to the script engine: breakpoints, stepping and
// the pause of the run thread, steered from the studio's thread. It reports
// to a DebuggerListener (the run).
#pragma once

#include <QString>

class QScriptEngine;

namespace vantor {

class DebuggerListener;
class ScriptDebuggerPrivate;

class ScriptDebugger {
public:
    enum Mode { Run = 0, StepInto = 1, StepOver = 2, StepOut = 3, Finished = 4 };

    // Installs a new agent on `engine`, replacing the engine's previous one.
    // `listener` (not owned, may be null) receives positions, variable views
    // and uncaught exceptions. While the debugger lives its error trace is
    // buffered.
    ScriptDebugger(QScriptEngine* engine, DebuggerListener* listener);
    // Detaches the agent from the engine if it is still installed there.
    ~ScriptDebugger();
    ScriptDebugger(const ScriptDebugger&) = delete;
    ScriptDebugger& operator=(const ScriptDebugger&) = delete;

    void setMode(Mode mode);
    Mode mode() const;

    // Continue to the next breakpoint.
    void resume();
    void stepInto();
    // Pause at the next statement of the same function (calls run through).
    void stepOver();
    // Pause at the first statement after the current function returns.
    void stepOut();
    // No more stepping; a paused script continues. The trace is written out.
    void finish();
    // Stop: finish, abort the evaluation at its next statement on the run
    // thread, and never pause again.
    void abort();
    bool isAborting() const;

    int setBreakpoint(const QString& fileName, int lineNumber);
    void removeBreakpoints(const QString& fileName);

    DebuggerListener* listener() const { return listener_; }

private:
    ScriptDebuggerPrivate* d_;
    DebuggerListener* listener_;
};

}  // namespace vantor
