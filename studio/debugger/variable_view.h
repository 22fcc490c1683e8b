// The variables shown while a script is paused: the own properties of a scope
// object, each as a one-member JSON object {name: value text}.
#pragma once

#include <QJsonArray>

class QScriptValue;

namespace vantor {

struct VariableView {
    QJsonArray all;       // every property, in the engine's order
    QJsonArray afterCs;   // the properties that follow the host object `cs`

    // What the studio shows: the script's own names when the scope holds the
    // host objects (they come before `cs`), otherwise everything.
    const QJsonArray& shown() const { return afterCs.isEmpty() ? all : afterCs; }
};

// Walks the own properties of `scope`, non-enumerable ones included, writing
// "name = value" on the debugger's output for each.
VariableView variableView(const QScriptValue& scope);

}  // namespace vantor
