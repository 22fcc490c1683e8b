#include "global_functions.h"

#include <QScriptContext>
#include <QScriptEngine>

#include "script_text.h"
#include "tavix.h"

namespace vantor {

namespace {

QByteArray textArgument(QScriptContext* context, int index)
{
    return context->argument(index).toString().toUtf8();
}

QScriptValue getClip(QScriptContext*, QScriptEngine*)
{
    return engineText(TX_baseclass_getClip());
}

QScriptValue getColor(QScriptContext* context, QScriptEngine*)
{
    return engineText(
        TX_baseclass_getColor(context->argument(0).toInt32(), context->argument(1).toInt32()));
}

QScriptValue msg(QScriptContext* context, QScriptEngine*)
{
    TX_baseclass_msg(textArgument(context, 0).constData());
    return QScriptValue(1);
}

QScriptValue screenshots(QScriptContext* context, QScriptEngine*)
{
    return QScriptValue(TX_baseclass_screenshots(textArgument(context, 0).constData()));
}

QScriptValue sleepFor(QScriptContext* context, QScriptEngine*)
{
    TX_baseclass_sleep(context->argument(0).toInt32());
    return QScriptValue(1);
}

QScriptValue toast(QScriptContext* context, QScriptEngine*)
{
    TX_baseclass_toast(textArgument(context, 0).constData());
    return QScriptValue(1);
}

struct GlobalFunction {
    const char* name;
    QScriptEngine::FunctionSignature function;
};

const GlobalFunction kFunctions[] = {
    {"getClip", getClip}, {"getColor", getColor}, {"msg", msg},
    {"screenshots", screenshots}, {"sleep", sleepFor}, {"toast", toast},
};

}  // namespace

void installGlobalFunctions(QScriptEngine& engine)
{
    for (const GlobalFunction& entry : kFunctions)
        engine.globalObject().setProperty(QLatin1String(entry.name),
                                          engine.newFunction(entry.function, 0));
}

}  // namespace vantor
