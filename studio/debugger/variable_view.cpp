#include "variable_view.h"

#include <QJsonObject>
#include <QScriptValue>
#include <QScriptValueIterator>

#include "trace_output.h"
#include "trace_texts.h"

namespace vantor {

namespace {

// Objects (functions and arrays too) are shown by kind, not walked.
QString valueText(const QScriptValue& value)
{
    return value.isObject() ? QStringLiteral("[object Object]") : value.toString();
}

}  // namespace

VariableView variableView(const QScriptValue& scope)
{
    VariableView view;
    bool csSeen = false;
    QScriptValueIterator it(scope);
    while (it.hasNext()) {
        it.next();
        const QString name = it.name();
        // Reading an accessor would run script code (and its statements'
        // callbacks) while the script is paused: it is shown by kind only.
        const bool accessor =
            it.flags() & (QScriptValue::PropertyGetter | QScriptValue::PropertySetter);
        const QString text = accessor ? QStringLiteral("[accessor]") : valueText(it.value());
        trace::output(QString::fromUtf8(trace::kVariable).arg(name, text));
        QJsonObject entry;
        entry.insert(name, text);
        view.all.append(entry);
        if (csSeen)
            view.afterCs.append(entry);
        if (name == QLatin1String("cs"))
            csSeen = true;
    }
    return view;
}

}  // namespace vantor
