// The module loader: `require(name)` with its search list `require.paths` and
// the cache `$MODULES` (each module file is evaluated at most once per process).
#pragma once

class QScriptEngine;

namespace vantor {

// Sets `$MODULES`, then `require` with `require.paths` = [""], on the global object.
void installModuleLoader(QScriptEngine& engine);

}  // namespace vantor
