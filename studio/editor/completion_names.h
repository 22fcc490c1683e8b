// The names the completer offers: the own properties of the script engine's
// global object, and for each of them the method names of its value.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

class QScriptValue;

namespace vantor {

class CompletionNames {
public:
    CompletionNames() = default;
    // Walks the global object's own properties in the engine's order.
    static CompletionNames fromGlobalObject(const QScriptValue& global);

    const QVector<QString>& scriptNames() const { return scriptNames_; }
    // For each global name, the array of its value's method names.
    const QJsonObject& memberNames() const { return memberNames_; }

    bool isGlobalName(const QString& name) const;
    // Global names containing fragment (case-sensitive), fragment itself left out.
    QStringList globalCandidates(const QString& fragment) const;
    // Method names of object containing fragment, fragment itself left out.
    QStringList memberCandidates(const QString& object, const QString& fragment) const;

    // The fragment being typed: the text after its last space, "=", line
    // feed, tab or ";".
    static QString completionPrefix(const QString& text);

private:
    QVector<QString> scriptNames_;
    QJsonObject memberNames_;
};

}  // namespace vantor
