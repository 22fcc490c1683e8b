// The file name every run evaluates its script under (the studio's runs and
// vantor-run alike); breakpoints of the script are keyed by it, and code it
// runs resolves require() from its directory, the current one.
#pragma once

namespace vantor {

constexpr char kScriptFileName[] = "example.js";

}  // namespace vantor
