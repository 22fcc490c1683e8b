#include "tavix/platform/pixels.h"

#include <limits>
#include <new>

namespace tavix::platform {

PixelBuffer PixelBuffer::allocate(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const std::size_t line = std::size_t(width) * 4;
    if (std::size_t(height) > std::numeric_limits<std::ptrdiff_t>::max() / line)
        return {};
    PixelBuffer buffer;
    std::uint8_t* memory = new (std::nothrow) std::uint8_t[line * std::size_t(height)]();
    if (!memory)
        return {};
    buffer.width = width;
    buffer.height = height;
    buffer.bytesPerLine = std::ptrdiff_t(line);
    buffer.pixels = std::shared_ptr<std::uint8_t>(memory, std::default_delete<std::uint8_t[]>());
    return buffer;
}

}  // namespace tavix::platform
