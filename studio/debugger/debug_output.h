// The debugger's trace lines on the process's standard output and standard
// error: one line each, flushed at once. Both the run thread and the studio's
// thread write, so each line goes out in one locked stdio call.
#pragma once

#include <QString>

namespace vantor::debug {

void output(const QString& line);
void errorOutput(const QString& line);
// A fixed ASCII line, written without a conversion: the per-statement lines.
void errorOutput(const char* line);

}  // namespace vantor::debug
