// Reading the short files of /proc, sysfs and /etc: at most `limit` bytes,
// empty when the file cannot be read.
#pragma once

#include <cstddef>
#include <string>

namespace tavix::platform {

std::string readSmallFile(const std::string& path, std::size_t limit);

}  // namespace tavix::platform
