// Zero-filled buffers the engine writes results into (file contents, lines).
#pragma once

#include <QByteArray>
#include <cstddef>
#include <memory>

namespace vantor {

class CallerBuffer {
public:
    // `size` bytes, all zero; empty when the memory cannot be had.
    explicit CallerBuffer(std::size_t size);
    char* data() { return data_.get(); }
    std::size_t size() const { return size_; }
    bool ok() const { return data_ != nullptr; }
    // The bytes up to the first zero byte.
    QByteArray text() const;
    // Exactly `count` bytes from the start (fewer when the buffer is smaller).
    QByteArray bytes(std::size_t count) const;

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
};

}  // namespace vantor
