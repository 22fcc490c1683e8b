#include "script_debugger_private.h"

#include <QScriptContext>
#include <QScriptContextInfo>
#include <QScriptEngine>
#include <exception>

#include "debugger_listener.h"
#include "trace_texts.h"
#include "variable_view.h"

namespace vantor {

using trace::errorOutput;
using trace::output;

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
    if (id == lastScript_)
        lastScript_ = -1;
}

void ScriptDebuggerPrivate::functionEntry(qint64 scriptId)
{
    ++entryDepth_;
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
    if (--entryDepth_ <= 0) {
        entryDepth_ = 0;
        evaluationEnded();
    }
}

ScriptRecord* ScriptDebuggerPrivate::recordOf(qint64 scriptId) const
{
    return scripts_.value(scriptId).get();
}

int ScriptDebuggerPrivate::lastLineOf(qint64 scriptId, int fallback) const
{
    return scriptId == lastScript_ ? lastLine_ : lastLines_.value(scriptId, fallback);
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
    errorOutput(trace::kPositionChange);
    errorOutput(trace::kInfo);
    // Most statements follow one of the same script: the map is only
    // touched when the script changes.
    if (scriptId != lastScript_) {
        if (lastScript_ != -1)
            lastLines_.insert(lastScript_, lastLine_);
        lastScript_ = scriptId;
    }
    lastLine_ = lineNumber;

    ScriptRecord* record = nullptr;
    bool breakpointHit = false;
    if (!breakpoints.isEmpty()) {
        record = recordOf(scriptId);
        const QString fileName = record ? record->fileName() : QString();
        const int id = breakpoints.find(fileName, lineNumber);
        errorOutput(trace::kHasBreakpoints, id);
        if (id >= 0) {
            output(
                QString::fromUtf8(trace::kBreakpointHit).arg(id + 1).arg(fileName).arg(lineNumber));
            breakpointHit = true;
        }
    }
    if (!pausesHere(breakpointHit))
        return;

    errorOutput(trace::kEnterInteractiveMode);
    if (!record)
        record = recordOf(scriptId);
    errorOutput(trace::kAssert);
    const QString lineText = record ? record->lineText(lineNumber) : QString();
    if (DebuggerListener* listener = debugger_->listener())
        listener->pausedAt(lineNumber, lineText);
    output(QString::fromUtf8(trace::kLineAndText).arg(lineNumber).arg(lineText));
    pause();
    if (aborting.load())
        engine()->abortEvaluation();
}

void ScriptDebuggerPrivate::pause()
{
    errorOutput(trace::kInteractive);
    try {
        QScriptContext* context = engine()->currentContext();
        for (int i = 0; context && i < frameIndex_; ++i)
            context = context->parentContext();
        QScriptValue scope;
        if (context)
            scope = context->activationObject();
        if (!scope.isObject()) {
            errorOutput(QString::fromUtf8(trace::kGlobalScope));
            scope = engine()->globalObject();
        }
        const VariableView view = variableView(scope);
        if (DebuggerListener* listener = debugger_->listener())
            listener->variablesShown(view.shown());
        frameIndex_ = 0;
    } catch (const std::exception&) {
        output(QString::fromUtf8(trace::kVariablesFailed));
    }
    // All of the trace is out before the script waits.
    trace::flush();
    gate.wait();
}

void ScriptDebuggerPrivate::exceptionThrow(qint64 scriptId, const QScriptValue& exception,
                                           bool hasHandler)
{
    // The engine only knows of handlers in the throwing function itself: an
    // exception that leaves a callback through a host function (forEach,
    // sort, require) is thrown again at the call, and may be caught there.
    // So the report waits for the end of the evaluation. An aborted
    // evaluation unwinds with an exception of its own; that is the stop,
    // not a fault of the script.
    if (hasHandler || aborting.load()) {
        pending_.reset();
        return;
    }
    pending_ = pendingFor(scriptId, exception);
}

void ScriptDebuggerPrivate::exceptionCatch(qint64, const QScriptValue&)
{
    pending_.reset();
}

ScriptDebuggerPrivate::PendingException ScriptDebuggerPrivate::pendingFor(
    qint64 scriptId, const QScriptValue& exception)
{
    PendingException report;
    report.message = QString::fromUtf8(trace::kUncaughtException).arg(exception.toString());
    QScriptContext* context = engine()->currentContext();
    // The script the current context runs; a module evaluated from a host
    // function (require) runs in a context the engine entered without a
    // function entry, so the throwing script itself is asked next.
    ScriptRecord* record = nullptr;
    const auto stack = contextScripts_.constFind(context);
    if (stack != contextScripts_.constEnd() && !stack->isEmpty())
        record = recordOf(stack->top());
    if (!record)
        record = recordOf(scriptId);
    // An error knows the line of the expression that failed, which may lie
    // lines after the start of its statement. An error from another script
    // (a module's, thrown on at the require call) or a thrown plain value
    // has only the statement the throwing script was at. The context's own
    // line can be stale when an exception comes back out of a nested
    // evaluation: it still shows the module's line.
    const QScriptValue ownLine =
        exception.isObject() ? exception.property(QStringLiteral("lineNumber")) : QScriptValue();
    const bool ownFile =
        record && exception.property(QStringLiteral("fileName")).toString() == record->fileName();
    report.lineNumber = ownLine.isNumber() && ownFile
        ? ownLine.toInt32()
        : lastLineOf(scriptId, QScriptContextInfo(context).lineNumber());
    report.lineText =
        record ? record->lineText(report.lineNumber) : QString::fromUtf8(trace::kNoSourceText);
    return report;
}

void ScriptDebuggerPrivate::evaluationEnded()
{
    if (!pending_)
        return;
    const PendingException report = std::move(*pending_);
    pending_.reset();
    if (aborting.load() || !engine()->hasUncaughtException())
        return;
    errorOutput(report.message);
    output(QString::fromUtf8(trace::kLineAndText).arg(report.lineNumber).arg(report.lineText));
    if (DebuggerListener* listener = debugger_->listener()) {
        listener->uncaughtExceptionAt(report.lineNumber, report.lineText);
        listener->logText(report.message);
    }
    trace::flush();
}

}  // namespace vantor
