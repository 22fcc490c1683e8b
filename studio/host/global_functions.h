// The global functions getClip, getColor, msg, screenshots, sleep and toast.
#pragma once

class QScriptEngine;

namespace vantor {

// Sets the six functions on the engine's global object, in this order.
void installGlobalFunctions(QScriptEngine& engine);

}  // namespace vantor
