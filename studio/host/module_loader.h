// The module loader: `require(name)` with its search list `require.paths` and
// the cache `$MODULES` (each module file is evaluated at most once per process
// once it has run to its end; one that threw or was stopped runs again when it
// is next required).
#pragma once

class QScriptEngine;
class QString;

namespace vantor {

// Sets `$MODULES`, then `require` with `require.paths` = [""], on the global object.
void installModuleLoader(QScriptEngine& engine);

// The folder of the script file being run, searched first by the top-level code's
// `require` (a runner started from another folder still finds the modules beside
// its script). Empty, as in the studio, where the editor's text has no folder.
void setScriptFolder(const QString& folder);

}  // namespace vantor
