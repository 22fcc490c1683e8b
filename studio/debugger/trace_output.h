// The debugger's trace lines on the process's standard output and standard
// error: one line each, flushed at once. Both the run thread and the studio's
// thread write, so each line goes out in one locked stdio call.
#pragma once

#include <QString>

namespace vantor::trace {

void output(const QString& line);
void errorOutput(const QString& line);
// A fixed line, written without a text conversion.
void errorOutput(const char* line);
// `text`, a space and `number`.
void errorOutput(const char* text, int number);

}  // namespace vantor::trace
