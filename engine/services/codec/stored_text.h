// A result array of the utils family: a result is stored with its
// terminating zero only when it fits; otherwise the array keeps its previous
// content, which is what the caller then receives.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstring>

namespace tavix {

template <std::size_t N>
class StoredText {
public:
    static constexpr std::size_t kLimit = N - 1;  // bytes of text at most

    static bool fits(qint64 length) { return length >= 0 && std::size_t(length) <= kLimit; }

    const char* store(const QByteArray& bytes)
    {
        if (fits(bytes.size())) {
            std::memcpy(data_, bytes.constData(), std::size_t(bytes.size()));
            data_[bytes.size()] = '\0';
        }
        return data_;
    }
    const char* data() const { return data_; }

private:
    char data_[N] = {};
};

}  // namespace tavix
