// How archive entries are named when packing and placed when unpacking.
#pragma once

#include <QString>

namespace tavix::zip {

// The name a file under `root` gets in the archive: its path relative to the
// root, with "/" separators and no leading "/".
QString nameInTree(const QString& root, const QString& filePath);

// Entries that would land outside the destination: a ".." component, a name
// starting with "/" or "\", or a drive letter ("C:").
bool isUnsafe(const QString& entryName);

// Names ending with "/" (or "\") are directories in archives of other tools.
bool isDirectoryEntry(const QString& entryName);

// The output path of an entry: the destination with exactly one separator
// before the entry name ("\" in names read as "/").
QString outputPath(const QString& destination, const QString& entryName);

}  // namespace tavix::zip
