// The sizes the file family reported to callers, who size their buffers from
// them: a read never stores more than the reported size plus the margin, even
// when the file grew in between or its system size is 0 (/proc), and a listing
// never stores more names than the count reported for its folder.
#pragma once

#include <QString>

namespace tavix::file {

void rememberReportedSize(const QString& path, qint64 size);

// Bytes a read of `path` may store, terminator included: the smaller of the
// file's current size and the size last reported for it, plus the margin.
qint64 readCapacity(const QString& path);

void rememberReportedCount(const QString& path, int count);

// Names a listing of `path` may store: the count last reported for it, or -1
// when none was.
int reportedCount(const QString& path);

}  // namespace tavix::file
