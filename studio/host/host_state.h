// Process-wide pointers the script bindings share: the engine's shared image
// record and the one script engine (for building arrays and objects).
#pragma once

#include <QMetaType>
#include <QPoint>

#include "tavix/record.hpp"

class QScriptEngine;
#include <QScriptValue>

Q_DECLARE_METATYPE(TX_api*)
Q_DECLARE_METATYPE(QPoint*)
Q_DECLARE_METATYPE(QByteArray*)
Q_DECLARE_METATYPE(QScriptValue*)

namespace vantor {

// The engine's shared record (from TX_api_getData); null before set-up.
TX_api* sharedRecord();
void setSharedRecord(TX_api* record);

// The manager's script engine; null before set-up ends and after tear-down.
QScriptEngine* scriptEngine();
void setScriptEngine(QScriptEngine* engine);

}  // namespace vantor
