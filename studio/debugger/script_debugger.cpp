#include "script_debugger.h"

#include <QScriptEngine>

#include "script_debugger_private.h"
#include "trace_output.h"
#include "trace_texts.h"

namespace vantor {

ScriptDebugger::ScriptDebugger(QScriptEngine* engine, DebuggerListener* listener)
    : d_(new ScriptDebuggerPrivate(engine, this)), listener_(listener)
{
    engine->setAgent(d_);
}

ScriptDebugger::~ScriptDebugger()
{
    QScriptEngine* engine = d_->engine();
    if (engine && engine->agent() == d_)
        engine->setAgent(nullptr);
    delete d_;
}

void ScriptDebugger::setMode(Mode mode)
{
    d_->mode.store(mode);
    trace::errorOutput(trace::kMode);
}

ScriptDebugger::Mode ScriptDebugger::mode() const
{
    return static_cast<Mode>(d_->mode.load());
}

void ScriptDebugger::resume()
{
    setMode(Run);
    d_->gate.release();
}

void ScriptDebugger::stepInto()
{
    setMode(StepInto);
    d_->gate.release();
}

void ScriptDebugger::stepOver()
{
    setMode(StepOver);
    d_->stepDepth.store(0);
    d_->gate.release();
}

void ScriptDebugger::stepOut()
{
    setMode(StepOut);
    d_->stepDepth.store(1);
    d_->gate.release();
}

void ScriptDebugger::finish()
{
    setMode(Finished);
    trace::flush();
    d_->gate.open();
}

void ScriptDebugger::abort()
{
    d_->aborting.store(true);
    setMode(Finished);
    d_->gate.abandon();
}

bool ScriptDebugger::isAborting() const
{
    return d_->aborting.load();
}

int ScriptDebugger::setBreakpoint(const QString& fileName, int lineNumber)
{
    return d_->breakpoints.add(fileName, lineNumber);
}

void ScriptDebugger::removeBreakpoints(const QString& fileName)
{
    d_->breakpoints.removeAll(fileName);
}

}  // namespace vantor
