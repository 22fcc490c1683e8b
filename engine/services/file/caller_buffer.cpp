#include "caller_buffer.h"

#include <cstring>

#include "core/text.h"

namespace tavix::file {

int storeInCallerBuffer(char* out, const QByteArray& utf8, qint64 capacity)
{
    if (!out || capacity < 1)
        return 0;
    const std::size_t length = core::utf8PrefixLength(utf8.constData(), std::size_t(utf8.size()),
                                                      std::size_t(capacity - 1));
    std::memcpy(out, utf8.constData(), length);
    out[length] = '\0';
    return int(length);
}

void storeInSlot(char* slot, const QByteArray& utf8)
{
    storeInCallerBuffer(slot, utf8, kSlotSize);
}

}  // namespace tavix::file
