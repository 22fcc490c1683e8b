// The process table from /proc, narrowed to this user's desktop session.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tavix/platform/processes.h"

namespace tavix::platform::proc {

// The processes under `procRoot` that belong to the user owning `procRoot`'s
// "self" entry and whose environment names `display` as their DISPLAY;
// nothing when `procRoot` cannot be read. A program on another desktop or of
// another user drives another screen, so it is left out.
std::optional<std::vector<ProcessEntry>> desktopProcesses(const std::string& procRoot,
                                                          const std::string& display);

}  // namespace tavix::platform::proc
