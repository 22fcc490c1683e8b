// Keeps exceptions from crossing the C interface: an export's body runs inside
// guarded(), and anything thrown becomes the export's failure result.
#pragma once

#include <QtGlobal>
#include <exception>

namespace tavix::core {

template <class Result, class Body>
Result guarded(const char* function, Result failure, Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::exception& error) {
        qWarning("%s failed: %s", function, error.what());
    } catch (...) {
        qWarning("%s failed", function);
    }
    return failure;
}

template <class Body>
void guarded(const char* function, Body&& body) noexcept
{
    try {
        body();
    } catch (const std::exception& error) {
        qWarning("%s failed: %s", function, error.what());
    } catch (...) {
        qWarning("%s failed", function);
    }
}

}  // namespace tavix::core
