// Copies text into a buffer the caller sized. The engine is not told the
// size, so the copy is bounded by what callers are documented to allocate.
#pragma once

#include <QByteArray>

#include "tavix/file.h"

namespace tavix::file {

// Callers of the read functions allocate the file size plus this many bytes.
constexpr qint64 kReadSlack = TX_FILE_READ_MARGIN;

// Stores `utf8` and a terminating zero in `out`, at most `capacity` bytes in
// all, cut at a whole UTF-8 character; returns the bytes stored without the
// zero. A null `out` stores nothing.
int storeInCallerBuffer(char* out, const QByteArray& utf8, qint64 capacity);

// Stores `utf8` in the 512-byte slot `slot` (511 bytes and the zero at most).
void storeInSlot(char* slot, const QByteArray& utf8);

constexpr int kSlotSize = TX_FILE_NAME_SLOT;

}  // namespace tavix::file
