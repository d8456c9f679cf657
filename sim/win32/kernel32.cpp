// Last error, interlocked counters, the world's local heap and module file names.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <utility>

#include "world.h"

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

bool ShouldFailAllocation(sim::HeapControl& heap) {
    if (heap.failAfter == 0) {
        return false;
    }
    return --heap.failAfter == 0;
}

void FreeAll(std::unordered_set<void*>& blocks) {
    for (void* block : blocks) {
        std::free(block);
    }
    blocks.clear();
}

}  // namespace

namespace sim {

HeapControl::~HeapControl() {
    FreeAll(liveBlocks);
}

HeapControl::HeapControl(HeapControl&& other) noexcept
    : failAfter(other.failAfter),
      largestRequest(other.largestRequest),
      allocations(other.allocations),
      liveBlocks(std::exchange(other.liveBlocks, {})) {}

HeapControl& HeapControl::operator=(HeapControl&& other) noexcept {
    if (this != &other) {
        FreeAll(liveBlocks);
        failAfter = other.failAfter;
        largestRequest = other.largestRequest;
        allocations = other.allocations;
        liveBlocks = std::exchange(other.liveBlocks, {});
    }
    return *this;
}

std::size_t LiveHeapBlocks() {
    return TheWorld().heap.liveBlocks.size();
}

}  // namespace sim

extern "C" {

DWORD WINAPI GetLastError() { return lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }

LONG WINAPI InterlockedIncrement(LONG volatile* Addend) {
    return std::atomic_ref<LONG>(*const_cast<LONG*>(Addend)).fetch_add(1) + 1;
}

LONG WINAPI InterlockedDecrement(LONG volatile* Addend) {
    return std::atomic_ref<LONG>(*const_cast<LONG*>(Addend)).fetch_sub(1) - 1;
}

LONG WINAPI InterlockedCompareExchange(LONG volatile* Destination, LONG Exchange, LONG Comperand) {
    std::atomic_ref<LONG>(*const_cast<LONG*>(Destination))
        .compare_exchange_strong(Comperand, Exchange);
    return Comperand;
}

HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes) {
    sim::HeapControl& heap = sim::TheWorld().heap;
    ++heap.allocations;
    if (ShouldFailAllocation(heap)) {
        lastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    heap.largestRequest = std::max<std::size_t>(heap.largestRequest, uBytes);
    // Windows hands out a valid block for zero bytes too.
    void* block = (uFlags & LMEM_ZEROINIT) != 0 ? std::calloc(1, uBytes == 0 ? 1 : uBytes)
                                                : std::malloc(uBytes == 0 ? 1 : uBytes);
    if (block == nullptr) {
        lastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    heap.liveBlocks.insert(block);
    return block;
}

HLOCAL WINAPI LocalFree(HLOCAL hMem) {
    if (hMem == nullptr) {
        return nullptr;
    }
    if (sim::TheWorld().heap.liveBlocks.erase(hMem) == 0) {
        // Not a block of this heap (or freed twice): Windows reports it and returns the handle.
        lastError = ERROR_INVALID_HANDLE;
        return hMem;
    }
    std::free(hMem);
    return nullptr;
}

DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    const auto& files = sim::TheWorld().moduleFiles;
    const auto found = files.find(hModule);
    if (found == files.end()) {
        lastError = ERROR_MOD_NOT_FOUND;
        return 0;
    }
    if (lpFilename == nullptr || nSize == 0) {
        lastError = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
    const std::u16string& path = found->second;
    // Like Windows: a name that does not fit is cut, terminated, and reported with the full
    // buffer size and ERROR_INSUFFICIENT_BUFFER.
    if (path.size() >= nSize) {
        path.copy(lpFilename, nSize - 1);
        lpFilename[nSize - 1] = 0;
        lastError = ERROR_INSUFFICIENT_BUFFER;
        return nSize;
    }
    path.copy(lpFilename, path.size());
    lpFilename[path.size()] = 0;
    lastError = ERROR_SUCCESS;
    return static_cast<DWORD>(path.size());
}

}  // extern "C"
