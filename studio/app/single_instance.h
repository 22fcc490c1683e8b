// The studio runs once per desktop: start-up asks whether another copy is
// already running before it opens a window.
#pragma once

#include <QString>
#include <QtGlobal>

namespace vantor {

// The executable name that marks a running studio (the Windows build's own
// name is "Vantor.exe").
QString studioExecutableName();

// True when a process other than `ownPid` runs an executable named exactly
// `executableName` (case-sensitive) for this user on this desktop (the same
// DISPLAY). False also when the process table cannot be read: the studio
// then starts. `procRoot` is the process file system ("/proc").
bool anotherInstanceRunning(const QString& executableName, qint64 ownPid,
                            const QString& procRoot = QStringLiteral("/proc"));

}  // namespace vantor
