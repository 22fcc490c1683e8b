// What the X server under Wine says, asked through Unix programs: Wine starts
// a Unix executable given to CreateProcessW, without a process handle, so the
// command leaves its answer in a file that is then waited for.
#pragma once

#include <optional>
#include <string>

namespace tavix::platform::windows::test {

// Whether this program runs under Wine (and so can start Unix programs).
bool underWine();

// Runs `command` with /bin/sh and returns what it wrote to standard output,
// once it has ended; nothing when it did not end within `timeoutMs` or failed.
// Pumps this thread's messages while it waits.
std::optional<std::string> runUnixCommand(const std::string& command, int timeoutMs = 10000);

struct PointerLocation {
    int x = 0;
    int y = 0;
};
// The pointer's position on the X screen, from `xdotool getmouselocation`.
std::optional<PointerLocation> xPointerLocation();

// Whether a Unix program is installed at `path` ("/usr/bin/xdotool").
bool unixProgramExists(const std::string& path);

}  // namespace tavix::platform::windows::test
