#include "script_file_run.h"

#include <QScriptEngine>

#include "tavix_mgr.h"

namespace vantor {

RunOutcome runScriptText(const QString& text)
{
    QString script = text;
    script.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QScriptEngine* engine = TavixMgr::instance()->engine();
    engine->evaluate(script, QStringLiteral("example.js"), 1);
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
