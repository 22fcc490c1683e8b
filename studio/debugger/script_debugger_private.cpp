#include "script_debugger_private.h"

#include <QScriptContext>
#include <QScriptContextInfo>
#include <QScriptEngine>
#include <exception>

#include "debug_output.h"
#include "run_js.h"
#include "variable_view.h"

using vantor::debug::errorOutput;
using vantor::debug::output;

ScriptDebuggerPrivate::ScriptDebuggerPrivate(QScriptEngine* engine, ScriptDebugger* debugger)
    : QScriptEngineAgent(engine), debugger_(debugger)
{
}

ScriptDebuggerPrivate::~ScriptDebuggerPrivate() = default;

void ScriptDebuggerPrivate::scriptLoad(qint64 id, const QString& program, const QString& fileName,
                                       int baseLineNumber)
{
    scripts_.insert(id, std::make_shared<ScriptRecord>(program, fileName, baseLineNumber));
}

void ScriptDebuggerPrivate::scriptUnload(qint64 id)
{
    scripts_.remove(id);
    lastLines_.remove(id);
}

void ScriptDebuggerPrivate::functionEntry(qint64 scriptId)
{
    if (scriptId != -1)
        contextScripts_[engine()->currentContext()].push(scriptId);
    const int current = mode.load();
    if (current == ScriptDebugger::StepOver || current == ScriptDebugger::StepOut)
        ++stepDepth;
}

void ScriptDebuggerPrivate::functionExit(qint64 scriptId, const QScriptValue&)
{
    if (scriptId != -1) {
        QScriptContext* context = engine()->currentContext();
        auto stack = contextScripts_.find(context);
        if (stack != contextScripts_.end()) {
            stack->pop();
            // Contexts are short-lived and their addresses come back.
            if (stack->isEmpty())
                contextScripts_.erase(stack);
        }
    }
    const int current = mode.load();
    if (current == ScriptDebugger::StepOver || current == ScriptDebugger::StepOut)
        --stepDepth;
}

ScriptRecord* ScriptDebuggerPrivate::recordOf(qint64 scriptId) const
{
    return scripts_.value(scriptId).get();
}

bool ScriptDebuggerPrivate::pausesHere(bool breakpointHit) const
{
    if (breakpointHit)
        return true;
    switch (mode.load()) {
    case ScriptDebugger::StepInto:
        return true;
    case ScriptDebugger::StepOver:
    case ScriptDebugger::StepOut:
        return stepDepth.load() <= 0;
    default:
        return false;
    }
}

void ScriptDebuggerPrivate::positionChange(qint64 scriptId, int lineNumber, int)
{
    // A stop is carried out here, on the evaluating thread: the engine must
    // not be touched from the studio's thread while it runs.
    if (aborting.load()) {
        engine()->abortEvaluation();
        return;
    }
    errorOutput("positionChange");
    errorOutput("info");
    lastLines_[scriptId] = lineNumber;

    ScriptRecord* record = nullptr;
    bool breakpointHit = false;
    if (!breakpoints.isEmpty()) {
        record = recordOf(scriptId);
        const QString fileName = record ? record->fileName() : QString();
        const int id = breakpoints.find(fileName, lineNumber);
        errorOutput(QStringLiteral("hasBreakpoints %1").arg(id));
        if (id >= 0) {
            output(QStringLiteral("Breakpoint %1 at %2:%3").arg(id + 1).arg(fileName).arg(lineNumber));
            breakpointHit = true;
        }
    }
    if (!pausesHere(breakpointHit))
        return;

    errorOutput("enterInteractiveMode");
    if (!record)
        record = recordOf(scriptId);
    errorOutput("Q_ASSERT");
    const QString lineText = record ? record->lineText(lineNumber) : QString();
    if (RunJs* owner = debugger_->owner())
        owner->reportPosition(lineNumber, lineText);
    output(QStringLiteral("%1\t%2").arg(lineNumber).arg(lineText));
    pause();
    if (aborting.load())
        engine()->abortEvaluation();
}

void ScriptDebuggerPrivate::pause()
{
    errorOutput("interactive");
    try {
        QScriptContext* context = engine()->currentContext();
        for (int i = 0; context && i < frameIndex_; ++i)
            context = context->parentContext();
        QScriptValue scope;
        if (context)
            scope = context->activationObject();
        if (!scope.isObject()) {
            errorOutput(QString::fromUtf8("获取it"));
            scope = engine()->globalObject();
        }
        const vantor::VariableView view = vantor::variableView(scope);
        if (RunJs* owner = debugger_->owner())
            owner->showDebugINfo(view.shown());
        frameIndex_ = 0;
    } catch (const std::exception&) {
        output(QString::fromUtf8("环境变量异常"));
    }
    gate.wait();
}

void ScriptDebuggerPrivate::exceptionThrow(qint64 scriptId, const QScriptValue& exception,
                                           bool hasHandler)
{
    // An aborted evaluation unwinds with an exception of its own; that is the
    // stop, not a fault of the script.
    if (hasHandler || aborting.load())
        return;
    const QString message = QStringLiteral("uncaught exception: %1").arg(exception.toString());
    errorOutput(message);
    QScriptContext* context = engine()->currentContext();
    // The statement the throwing script was at. The context's own line can be
    // stale when an exception comes back out of a nested evaluation (a module
    // loaded by require): it still shows the module's line.
    const int lineNumber = lastLines_.value(scriptId, QScriptContextInfo(context).lineNumber());
    // The script the current context runs; a module evaluated from a host
    // function (require) runs in a context the engine entered without a
    // function entry, so the throwing script itself is asked next.
    ScriptRecord* record = nullptr;
    const auto stack = contextScripts_.constFind(context);
    if (stack != contextScripts_.constEnd() && !stack->isEmpty())
        record = recordOf(stack->top());
    if (!record)
        record = recordOf(scriptId);
    const QString lineText =
        record ? record->lineText(lineNumber) : QStringLiteral("(no source text available)");
    output(QStringLiteral("%1\t%2").arg(lineNumber).arg(lineText));
    if (RunJs* owner = debugger_->owner())
        owner->reportException(lineNumber, lineText, message);
}
