#include "script_file_run.h"

#include <QScriptEngine>

#include "line_ends.h"
#include "script_file_name.h"
#include "tavix_mgr.h"

namespace vantor {

RunOutcome runScriptText(const QString& text)
{
    QScriptEngine* engine = TavixMgr::instance()->engine();
    engine->evaluate(withUnixLineEnds(text), QLatin1String(kScriptFileName), 1);
    RunOutcome outcome;
    if (engine->hasUncaughtException()) {
        outcome.uncaught = true;
        outcome.message = engine->uncaughtException().toString();
        outcome.lineNumber = engine->uncaughtExceptionLineNumber();
        engine->clearExceptions();
    }
    return outcome;
}

}  // namespace vantor
