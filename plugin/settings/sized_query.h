// The Win32 size-query protocol from the caller's side: ask for the size, allocate a block of
// it, ask again into the block.
#pragma once

#include "platform/memory.h"
#include "platform/win32_api.h"

namespace xlrender {

struct QueriedBlock {
    BYTE* bytes = nullptr;
    DWORD size = 0;
};

// `query(buffer, bufferBytes, &needed)` returns a BOOL. The block comes from the plug-in's
// allocator; on any failure nothing is left allocated and the result is empty.
template <typename Query>
QueriedBlock QueryIntoBlock(Query query) {
    DWORD needed = 0;
    query(nullptr, 0, &needed);
    if (needed == 0) {
        return {};
    }
    auto* bytes = static_cast<BYTE*>(AllocateZeroed(needed));
    if (bytes == nullptr) {
        return {};
    }
    DWORD written = 0;
    if (!query(bytes, needed, &written)) {
        FreeBlock(bytes);
        return {};
    }
    return {bytes, needed};
}

}  // namespace xlrender
