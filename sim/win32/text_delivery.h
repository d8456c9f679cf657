// The Win32 size-query protocol for functions that return text counted in units: a zero-sized
// buffer asks for the size, a buffer too small fails with ERROR_INSUFFICIENT_BUFFER.
#pragma once

#include <cstring>
#include <string>

#include "platform/win32_api.h"

namespace sim {

template <typename Unit>
int DeliverText(const std::basic_string<Unit>& result, Unit* out, int outUnits) {
    if (outUnits == 0) {
        SetLastError(ERROR_SUCCESS);
        return static_cast<int>(result.size());
    }
    if (static_cast<std::size_t>(outUnits) < result.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(out, result.data(), result.size() * sizeof(Unit));
    SetLastError(ERROR_SUCCESS);
    return static_cast<int>(result.size());
}

}  // namespace sim
