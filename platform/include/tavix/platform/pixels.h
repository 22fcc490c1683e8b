// A grabbed picture as plain memory: the engine wraps it in its own image
// type without copying.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tavix::platform {

struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::ptrdiff_t bytesPerLine = 0;
    // 32-bit pixels, bytes in memory order blue, green, red, unused (the
    // fourth byte carries no alpha). The buffer owns the memory: it is
    // released (or handed back to the backend) when the last copy goes.
    std::shared_ptr<std::uint8_t> pixels;

    bool isNull() const { return !pixels || width <= 0 || height <= 0; }

    // A buffer of its own memory, every byte zero; null when the size is not
    // positive or the memory cannot be had.
    static PixelBuffer allocate(int width, int height);
};

}  // namespace tavix::platform
