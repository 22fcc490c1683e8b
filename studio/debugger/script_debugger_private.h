// The engine agent behind ScriptDebugger. Its callbacks run on the thread that
// evaluates; the mode, the step depth and the abort request are written by
// the studio's thread, hence atomics; the pause gate is what the two share to
// hand over control.
#pragma once

#include <QHash>
#include <QScriptEngineAgent>
#include <QStack>
#include <atomic>
#include <memory>
#include <optional>

#include "breakpoint_list.h"
#include "pause_gate.h"
#include "script_debugger.h"
#include "script_record.h"
#include "trace_output.h"

class QScriptContext;

namespace vantor {

class ScriptDebuggerPrivate : public QScriptEngineAgent {
public:
    ScriptDebuggerPrivate(QScriptEngine* engine, ScriptDebugger* debugger);
    ~ScriptDebuggerPrivate() override;

    void scriptLoad(qint64 id, const QString& program, const QString& fileName,
                    int baseLineNumber) override;
    void scriptUnload(qint64 id) override;
    void functionEntry(qint64 scriptId) override;
    void functionExit(qint64 scriptId, const QScriptValue& returnValue) override;
    void positionChange(qint64 scriptId, int lineNumber, int columnNumber) override;
    void exceptionThrow(qint64 scriptId, const QScriptValue& exception, bool hasHandler) override;
    void exceptionCatch(qint64 scriptId, const QScriptValue& exception) override;

    std::atomic<int> mode{ScriptDebugger::Run};
    std::atomic<int> stepDepth{0};
    std::atomic<bool> aborting{false};
    BreakpointList breakpoints;
    PauseGate gate;

private:
    // An exception on its way out that no handler has taken yet: what its
    // report would say, worked out where it was thrown.
    struct PendingException {
        QString message;
        int lineNumber = -1;
        QString lineText;
    };

    void pause();
    // Reports the pending exception once the outermost evaluation ends with it.
    void evaluationEnded();
    PendingException pendingFor(qint64 scriptId, const QScriptValue& exception);
    ScriptRecord* recordOf(qint64 scriptId) const;
    bool pausesHere(bool breakpointHit) const;
    // The line of the latest statement of that script.
    int lastLineOf(qint64 scriptId, int fallback) const;

    trace::BufferedTrace bufferedTrace_;
    ScriptDebugger* debugger_;
    QHash<qint64, std::shared_ptr<ScriptRecord>> scripts_;
    QHash<QScriptContext*, QStack<qint64>> contextScripts_;
    // The latest statement: its script and line, and the lines of the scripts
    // before it (script id -> line), kept as the statements move on.
    qint64 lastScript_ = -1;
    int lastLine_ = -1;
    QHash<qint64, int> lastLines_;
    int frameIndex_ = 0;
    // Entries not yet exited, the evaluation's own included: 0 again when the
    // outermost evaluation ends.
    int entryDepth_ = 0;
    std::optional<PendingException> pending_;
};

}  // namespace vantor
