#include "completion_names.h"

#include <QDebug>
#include <QJsonArray>
#include <QScriptValue>
#include <QScriptValueIterator>

namespace vantor {

namespace {

// Members every object carries, of no use in a script.
bool isHiddenMember(const QString& name)
{
    static const QStringList hidden = {QStringLiteral("destroyed"),
                                       QStringLiteral("objectNameChanged"),
                                       QStringLiteral("deleteLater")};
    return hidden.contains(name);
}

QJsonArray methodNames(const QScriptValue& value)
{
    QStringList names;
    QScriptValueIterator it(value);
    while (it.hasNext()) {
        it.next();
        const QString property = it.name();
        const int paren = property.indexOf(QLatin1Char('('));
        if (paren < 0)
            continue;
        // Overloads share one entry.
        const QString name = property.left(paren);
        if (!isHiddenMember(name) && !names.contains(name))
            names.append(name);
    }
    return QJsonArray::fromStringList(names);
}

}  // namespace

CompletionNames CompletionNames::fromGlobalObject(const QScriptValue& global)
{
    CompletionNames names;
    QScriptValueIterator it(global);
    while (it.hasNext()) {
        it.next();
        const QString name = it.name();
        names.scriptNames_.append(name);
        const QJsonArray members = methodNames(it.value());
        names.memberNames_.insert(name, members);
        qDebug() << "hans       " << name << "=" << members.size();
    }
    return names;
}

bool CompletionNames::isGlobalName(const QString& name) const
{
    return scriptNames_.contains(name);
}

QStringList CompletionNames::globalCandidates(const QString& fragment) const
{
    QStringList out;
    for (const QString& name : scriptNames_) {
        if (name != fragment && name.contains(fragment))
            out.append(name);
    }
    return out;
}

QStringList CompletionNames::memberCandidates(const QString& object, const QString& fragment) const
{
    QStringList out;
    const auto members = memberNames_.constFind(object);
    if (members == memberNames_.constEnd())
        return out;
    for (const QJsonValue& value : members->toArray()) {
        const QString name = value.toString();
        if (name != fragment && name.contains(fragment))
            out.append(name);
        else
            qDebug().noquote() << "tmpStr=" << name << "\t tmpText=" << fragment;
    }
    return out;
}

QString CompletionNames::completionPrefix(const QString& text)
{
    int last = -1;
    for (const QChar separator : {QLatin1Char(' '), QLatin1Char('='), QLatin1Char('\n'),
                                  QLatin1Char('\t'), QLatin1Char(';')})
        last = qMax(last, text.lastIndexOf(separator));
    return text.mid(last + 1);
}

}  // namespace vantor
