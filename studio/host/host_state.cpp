#include "host_state.h"

#include <atomic>

namespace vantor {

namespace {
std::atomic<TX_api*> record{nullptr};
std::atomic<QScriptEngine*> engine{nullptr};
}  // namespace

TX_api* sharedRecord() { return record.load(); }
void setSharedRecord(TX_api* value) { record.store(value); }

QScriptEngine* scriptEngine() { return engine.load(); }
void setScriptEngine(QScriptEngine* value) { engine.store(value); }

}  // namespace vantor
