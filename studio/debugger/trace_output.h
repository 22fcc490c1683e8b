// The debugger's trace on the process's standard output and standard error,
// one line per call, each line written by one locked stdio call: the run
// thread and the studio's thread both write.
//
// Standard-output lines are few (breakpoints, pauses, exceptions) and go out
// at once, after whatever the error trace holds, so that both streams keep
// their order on one terminal. The error trace has lines for every statement:
// while a BufferedTrace is held, standard error is block-buffered and they
// collect in the stream's buffer, to go out when it is full, at flush() and
// every 100 ms from a thread of its own, whatever the script is doing. Other
// writers of standard error (the framework's messages) go through the same
// stream and buffer, so every line keeps the place it was written in.
#pragma once

#include <QString>

namespace vantor::trace {

void output(const QString& line);
void errorOutput(const QString& line);
// A fixed line, written without a text conversion.
void errorOutput(const char* line);
// `text`, a space and `number`.
void errorOutput(const char* text, int number);
// Writes out the error trace held so far.
void flush();

// Buffers the error trace while at least one is held (one per attached
// debugger). When the last goes, what is held is written out and standard
// error is unbuffered again.
class BufferedTrace {
public:
    BufferedTrace();
    ~BufferedTrace();
    BufferedTrace(const BufferedTrace&) = delete;
    BufferedTrace& operator=(const BufferedTrace&) = delete;
};

}  // namespace vantor::trace
