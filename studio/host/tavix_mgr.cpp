#include "tavix_mgr.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QPoint>
#include <QScriptEngine>
#include <QScriptValue>
#include <mutex>

#include "bindings/tx_app.h"
#include "bindings/tx_cs.h"
#include "bindings/tx_device.h"
#include "bindings/tx_file.h"
#include "bindings/tx_image.h"
#include "bindings/tx_imagev.h"
#include "bindings/tx_ocr.h"
#include "bindings/tx_sqlite.h"
#include "bindings/tx_utils.h"
#include "global_functions.h"
#include "host_state.h"
#include "log.h"
#include "module_loader.h"
#include "tavix.h"

namespace vantor {

namespace {

TavixMgr* manager = nullptr;
std::mutex managerMutex;
// Every log object ever made; never deleted (queued texts may still be on
// their way through one), but kept reachable to the end, after static destructors.
QList<Log*>* const logObjects = new QList<Log*>;

template <class Binding>
QObject* make()
{
    return new Binding;
}

// A host object on the global object; `object` is its process-wide pointer.
struct HostObject {
    const char* name;
    QObject* (*create)();
    QObject* object;
};

// In the order they are created, set on the global object and deleted.
HostObject hostObjects[] = {
    {"app", make<TX_app>, nullptr},
    {"device", make<TX_device>, nullptr},
    {"file", make<TX_file>, nullptr},
    {"image", make<TX_image>, nullptr},
    {"imagev", make<TX_imagev>, nullptr},
    {"sqlite", make<TX_sqlite>, nullptr},
    {"utils", make<TX_utils>, nullptr},
    {"cs", make<TX_cs>, nullptr},
    {"ocr", make<TX_ocr>, nullptr},
};

// Without QObject's own signals and slots: a script that emits destroyed() or
// calls deleteLater() would otherwise crash the host or delete the object for
// every later run.
constexpr QScriptEngine::QObjectWrapOptions kWrapOptions =
    QScriptEngine::ExcludeSuperClassMethods | QScriptEngine::ExcludeDeleteLater;

void expose(QScriptEngine& engine, HostObject& entry)
{
    entry.object = entry.create();
    engine.globalObject().setProperty(
        QLatin1String(entry.name),
        engine.newQObject(entry.object, QScriptEngine::QtOwnership, kWrapOptions));
}

}  // namespace

TavixMgr* TavixMgr::instance()
{
    std::lock_guard<std::mutex> lock(managerMutex);
    if (!manager)
        manager = new TavixMgr;
    return manager;
}

void TavixMgr::release()
{
    std::lock_guard<std::mutex> lock(managerMutex);
    delete manager;
    manager = nullptr;
}

namespace {

// A script engine needs an application object; a host without one (the
// command-line runner) gets the engine library's own, display or not.
QScriptEngine* newScriptEngine()
{
    if (!QCoreApplication::instance())
        TX_api_initialize();
    return new QScriptEngine;
}

}  // namespace

TavixMgr::TavixMgr()
    : QObject(nullptr), engine_(newScriptEngine()), log_(new Log)
{
    logObjects->append(log_);
    engine_->globalObject().setProperty(
        QStringLiteral("log"), engine_->newQObject(log_, QScriptEngine::QtOwnership, kWrapOptions));
    connect(log_, &Log::showInfo, this, &TavixMgr::showInfo);
    setUp();
    setScriptEngine(engine_);
}

TavixMgr::~TavixMgr()
{
    setScriptEngine(nullptr);
    for (HostObject& entry : hostObjects) {
        delete entry.object;
        entry.object = nullptr;
    }
    delete engine_;
    // The log object stays: queued log texts may still be on their way to it.
    disconnect(log_, nullptr, this, nullptr);
}

void TavixMgr::setUp()
{
    TX_api_initialize();
    HostObject* entry = std::begin(hostObjects);
    expose(*engine_, *entry++);  // app
    installGlobalFunctions(*engine_);
    installModuleLoader(*engine_);
    for (; entry != std::end(hostObjects); ++entry)
        expose(*engine_, *entry);

    TX_api* record = nullptr;
    TX_api_getData(&record);
    setSharedRecord(record);

    qRegisterMetaType<TX_api*>("TX_api*");
    qRegisterMetaType<QPoint*>("QPoint*");
    qRegisterMetaType<QByteArray*>("QByteArray*");
    qRegisterMetaType<QByteArray>("QByteArray");
    qRegisterMetaType<QScriptValue*>("QScriptValue*");
}

void TavixMgr::showInfo(QString infoStr)
{
    emit showDebugInfo(infoStr);
}

}  // namespace vantor
