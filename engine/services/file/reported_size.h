// The sizes the file family reported to callers, who size their read buffers
// from them; a read never stores more than the reported size plus the margin,
// even when the file grew in between or its system size is 0 (/proc).
#pragma once

#include <QString>

namespace tavix::file {

void rememberReportedSize(const QString& path, qint64 size);

// Bytes a read of `path` may store, terminator included: the smaller of the
// file's current size and the size last reported for it, plus the margin.
qint64 readCapacity(const QString& path);

}  // namespace tavix::file
