#include "caller_buffer.h"

#include <QtGlobal>
#include <cstring>
#include <new>

#include "tavix/file.h"

namespace vantor {

CallerBuffer::CallerBuffer(std::size_t size)
{
    data_.reset(new (std::nothrow) char[size ? size : 1]());
    size_ = data_ ? size : 0;
    if (!data_)
        qWarning("out of memory for a %zu-byte result buffer", size);
}

QByteArray CallerBuffer::text() const
{
    if (!data_)
        return QByteArray();
    const void* end = std::memchr(data_.get(), 0, size_);
    const std::size_t length = end ? static_cast<const char*>(end) - data_.get() : size_;
    return QByteArray(data_.get(), static_cast<int>(length));
}

QByteArray CallerBuffer::bytes(std::size_t count) const
{
    if (!data_)
        return QByteArray();
    return QByteArray(data_.get(), static_cast<int>(count < size_ ? count : size_));
}

}  // namespace vantor
