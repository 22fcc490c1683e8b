// The studio runs once per desktop: start-up asks whether another copy is
// already running before it opens a window.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

#include "tavix/platform/processes.h"

namespace vantor {

// The executable name that marks a running studio (the Windows build's own
// name is "Vantor.exe").
QString studioExecutableName();

// True when a process other than `ownPid` in `snapshot` runs an executable
// named exactly `executableName` (case-sensitive). False also without a
// snapshot (the process table could not be read): the studio then starts.
bool anotherInstanceRunning(const QString& executableName, qint64 ownPid,
                            const std::optional<std::vector<tavix::platform::ProcessEntry>>&
                                snapshot = tavix::platform::processSnapshot());

}  // namespace vantor
