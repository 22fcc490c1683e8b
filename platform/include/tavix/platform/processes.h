// The process table, for the studio's single-instance check, and child
// programs run without a window, for the OCR program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavix::platform {

struct ProcessEntry {
    std::int64_t pid = 0;
    // The executable's file name without folders ("Vantor.exe", "Vantor"), UTF-8.
    std::string executableName;
};

// The processes of this user's desktop session; nothing when the table
// cannot be read.
std::optional<std::vector<ProcessEntry>> processSnapshot();

// The calling process's identifier.
std::int64_t currentProcessId();

struct ChildRun {
    enum Outcome { Finished, NotStarted, TimedOut };
    Outcome outcome = NotStarted;
    int exitCode = -1;
    std::string error;  // why it did not start, for the log
};

// Runs `program` with `arguments` (each passed as one argument, spaces
// included) without a console window, with nothing on its standard input and
// its output discarded, and waits at most `timeoutMs` for it. A program still
// running then is killed, and waited for, before the call returns.
ChildRun runHidden(const std::string& program, const std::vector<std::string>& arguments,
                   int timeoutMs);

// The file name of the OCR program in the application folder's "ocr" folder.
const char* ocrProgramName();

}  // namespace tavix::platform
