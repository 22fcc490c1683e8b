// Engine texts turned into script strings.
#pragma once

#include <QScriptValue>
#include <QString>

namespace vantor {

// An engine result text (UTF-8, zero-terminated; null counts as empty).
inline QScriptValue engineText(const char* text)
{
    return QScriptValue(text ? QString::fromUtf8(text) : QString());
}

}  // namespace vantor
