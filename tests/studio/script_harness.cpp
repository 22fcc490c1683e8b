#include "script_harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScriptEngine>

#include "script_file_name.h"
#include "tavix_mgr.h"

namespace vantor::test {

QString evaluate(const QString& script)
{
    QScriptEngine* engine = TavixMgr::instance()->engine();
    const QScriptValue result = engine->evaluate(script, QLatin1String(kScriptFileName), 1);
    if (engine->hasUncaughtException()) {
        const QString message = engine->uncaughtException().toString();
        engine->clearExceptions();
        return QStringLiteral("uncaught: ") + message;
    }
    return result.toString();
}

WorkFolder::WorkFolder() : previous_(QDir::currentPath())
{
    QDir::setCurrent(dir_.path());
}

WorkFolder::~WorkFolder()
{
    QDir::setCurrent(previous_);
}

QString WorkFolder::write(const QString& name, const QByteArray& text) const
{
    const QString path = dir_.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

}  // namespace vantor::test
