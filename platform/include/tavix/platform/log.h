// Where the platform layer's log lines go: standard error until the program
// installs a sink of its own (the engine forwards them to its message log).
#pragma once

#include <string>

namespace tavix::platform {

using LogSink = void (*)(const std::string& line);

// Installs `sink` for the whole process; null restores standard error. May be
// called from any thread; lines being written meanwhile go to either sink.
void setLogSink(LogSink sink);

// Writes one line (without its line end) to the current sink.
void logLine(const std::string& line);

}  // namespace tavix::platform
