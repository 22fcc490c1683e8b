// The folder a picture is saved into.
#pragma once

#include <QString>

namespace tavix::image {

// Creates the folder that will hold the file `path`, with its missing parents;
// false (and a log line) when that fails.
bool makeFolderFor(const QString& path);

}  // namespace tavix::image
