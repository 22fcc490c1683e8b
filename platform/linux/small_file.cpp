#include "small_file.h"

#include <fstream>

namespace tavix::platform {

std::string readSmallFile(const std::string& path, std::size_t limit)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    std::string content(limit, '\0');
    file.read(&content[0], std::streamsize(limit));
    content.resize(std::size_t(file.gcount()));
    return content;
}

}  // namespace tavix::platform
