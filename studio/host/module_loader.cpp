#include "module_loader.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScriptContext>
#include <QScriptContextInfo>
#include <QScriptEngine>
#include <QStringList>

#include "script_file_name.h"

namespace vantor {

namespace {

const QString kModules = QStringLiteral("$MODULES");
const QString kRequire = QStringLiteral("require");
const QString kPaths = QStringLiteral("paths");
const QString kExports = QStringLiteral("exports");

// Activation objects of the modules being evaluated right now, by path: a
// module required again while it is still loading (a require cycle) gets its
// exports as they stand instead of recursing without end.
QHash<QString, QScriptValue>& modulesInProgress()
{
    static QHash<QString, QScriptValue> loading;
    return loading;
}

QString& scriptFolder()
{
    static QString folder;
    return folder;
}

QStringList searchList(QScriptContext* context, QScriptEngine& engine)
{
    const QString caller = QScriptContextInfo(context->parentContext()).fileName();
    QStringList list;
    if (caller == QLatin1String(kScriptFileName) && !scriptFolder().isEmpty())
        list << scriptFolder();
    list << QFileInfo(caller).path();
    const QScriptValue paths = engine.globalObject().property(kRequire).property(kPaths);
    if (paths.isArray() || paths.isObject()) {
        const quint32 length = paths.property(QStringLiteral("length")).toUInt32();
        for (quint32 i = 0; i < length; ++i)
            list << paths.property(i).toString();
    } else if (paths.isValid() && !paths.isUndefined() && !paths.isNull()) {
        list << paths.toString();
    }
    return list;
}

// The module file for `name`, or an empty text when none of the search
// directories holds a file of that name.
QString resolve(const QString& name, const QStringList& directories)
{
    const QFileInfo asPath(name);
    const QString directoryPart = asPath.path();
    const QString filePart = asPath.fileName();
    for (const QString& directory : directories) {
        qDebug().noquote() << directory;
        if (directory.isEmpty() || !QFileInfo(directory).isDir())
            continue;
        QDir dir(directory);
        dir.cd(directoryPart);
        const QString candidate = QDir::cleanPath(dir.absoluteFilePath(filePart));
        // A directory of that name is no module: the search goes on.
        if (QFileInfo(candidate).isFile()) {
            qDebug().noquote() << candidate;
            return candidate;
        }
    }
    return QString();
}

QString readModuleText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "require() cannot read file:" << path << "-" << file.errorString();
        return QString();
    }
    const QByteArray bytes = file.readAll();
    const int end = bytes.indexOf('\0');
    return QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
}

struct LoadedModule {
    QScriptValue exports;
    // The module ran to its end: neither stopped nor thrown out of.
    bool completed = false;
};

LoadedModule load(const QString& path, QScriptEngine& engine)
{
    const QString text = readModuleText(path);
    QScriptContext* moduleContext = engine.pushContext();
    QScriptValue activation = moduleContext->activationObject();
    activation.setProperty(kExports, engine.newObject());
    modulesInProgress().insert(path, activation);
    // An aborted evaluation (a stopped run) gives no value at all.
    const QScriptValue result = engine.evaluate(text, path, 1);
    modulesInProgress().remove(path);
    LoadedModule loaded;
    loaded.completed = result.isValid() && !engine.hasUncaughtException();
    loaded.exports = activation.property(kExports);
    engine.popContext();
    return loaded;
}

QScriptValue require(QScriptContext* context, QScriptEngine* engine)
{
    const QString name = context->argument(0).toString();
    const QString path = resolve(name, searchList(context, *engine));
    if (path.isEmpty()) {
        qDebug().noquote() << "require() file not found: " + name;
        return engine->undefinedValue();
    }
    QScriptValue cache = engine->globalObject().property(kModules);
    // Present counts, even with the value undefined: a module runs once per process.
    const QScriptValue cached = cache.isObject() ? cache.property(path) : QScriptValue();
    if (cached.isValid())
        return cached;
    const auto loading = modulesInProgress().constFind(path);
    if (loading != modulesInProgress().constEnd())
        return loading->property(kExports);
    const LoadedModule loaded = load(path, *engine);
    // Half-run exports would stand for the module in every later run; the
    // next require runs it again instead. A thrown exception goes on to the
    // caller.
    if (!loaded.completed)
        return loaded.exports;
    cache = engine->globalObject().property(kModules);
    if (cache.isObject())
        cache.setProperty(path, loaded.exports);
    return loaded.exports;
}

}  // namespace

void installModuleLoader(QScriptEngine& engine)
{
    QScriptValue global = engine.globalObject();
    global.setProperty(kModules, engine.newObject());
    QScriptValue requireFunction = engine.newFunction(require, 0);
    global.setProperty(kRequire, requireFunction);
    QScriptValue paths = engine.newArray();
    paths.property(QStringLiteral("push")).call(paths, QScriptValueList{QScriptValue(QString())});
    requireFunction.setProperty(kPaths, paths);
}

void setScriptFolder(const QString& folder)
{
    scriptFolder() = folder;
}

}  // namespace vantor
