// Paths that name one entry of a folder, for the functions that remove, move
// or rename that entry. A trailing separator would make the system resolve a
// link to the folder it points to, and "." or ".." as the last component names
// a folder through one of its own entries: the first is dropped, the second
// refused.
#pragma once

#include <QString>

namespace tavix::file {

// `path` without trailing "/" or "\", or a null string when `path` is empty,
// names the root, or ends in "." or ".." (the last two with a log line naming
// `function`).
QString entryPath(const QString& path, const char* function);

}  // namespace tavix::file
