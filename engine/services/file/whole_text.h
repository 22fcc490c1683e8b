// Whole text files, decoded: what the file family's read functions store in a
// caller's buffer, and what the script bindings hand to scripts without one.
// Stateless, so that the studio links it too and scripts get the whole text of
// files whose size is not known beforehand (/proc, files still growing).
#pragma once

#include <QByteArray>
#include <QString>

namespace tavix::file {

// The whole file decoded in `encoding` (see text_encoding.h), or a null string,
// with a log line naming `function`, when it cannot be read: missing, a device,
// FIFO or socket, or too large for a string.
QString readWholeText(const QString& path, const QByteArray& encoding, const char* function);

// Line `number` (1-based) of `text`; the last line when `number` is out of range.
QStringRef lineByNumber(const QString& text, int number);

}  // namespace tavix::file
