// kernel32 basics: the last error per thread, interlocked counts, the local heap, and the
// size protocol of GetModuleFileNameW.
#include <atomic>
#include <cstdint>
#include <thread>

#include "contract.h"

namespace {

using contract::Text;

// Each thread sets its own error while the other's is set, then reads its own back. (Starting
// and joining a thread may themselves set the error, so nothing is read across them.)
CONTRACT_GROUP(LastErrorBelongsToItsThread) {
    std::atomic<int> step{0};
    DWORD otherThreadsError = 0;
    std::thread other([&] {
        SetLastError(ERROR_ACCESS_DENIED);
        step = 1;
        while (step != 2) {
            std::this_thread::yield();
        }
        otherThreadsError = GetLastError();
    });
    while (step != 1) {
        std::this_thread::yield();
    }
    SetLastError(1234);
    step = 2;
    const DWORD ownError = GetLastError();
    other.join();
    CONTRACT_EQ(ownError, 1234);
    CONTRACT_EQ(otherThreadsError, ERROR_ACCESS_DENIED);
}

CONTRACT_GROUP(InterlockedCountsReturnTheNewValue) {
    LONG volatile count = 0;
    CONTRACT_EQ(InterlockedIncrement(&count), 1);
    CONTRACT_EQ(InterlockedIncrement(&count), 2);
    CONTRACT_EQ(InterlockedDecrement(&count), 1);
    CONTRACT_EQ(InterlockedDecrement(&count), 0);
    CONTRACT_EQ(InterlockedDecrement(&count), LONG{-1});
}

CONTRACT_GROUP(LocalHeap) {
    for (const SIZE_T size : {SIZE_T{0}, SIZE_T{1}, SIZE_T{4096}}) {
        const contract::CaseLabel label("size " + std::to_string(size));
        auto* block = static_cast<BYTE*>(LocalAlloc(LPTR, size));
        CONTRACT_CHECK(block != nullptr);
        if (block == nullptr) {
            continue;
        }
        SIZE_T nonZero = 0;
        for (SIZE_T i = 0; i < size; ++i) {
            nonZero += block[i] != 0;
        }
        CONTRACT_EQ(nonZero, 0);
        CONTRACT_CHECK(LocalFree(block) == nullptr);
    }
    CONTRACT_CHECK(LocalFree(nullptr) == nullptr);
    SetLastError(ERROR_SUCCESS);
    CONTRACT_CHECK(LocalAlloc(LPTR, SIZE_MAX / 2) == nullptr);
    CONTRACT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
}

// The host program's file name: its full length, then a buffer one unit short of the
// terminator, which gets the name cut and terminated, the full size back and
// ERROR_INSUFFICIENT_BUFFER.
CONTRACT_GROUP(ModuleFileNameSizes) {
    WCHAR name[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
    CONTRACT_CHECK(length > 4 && length < MAX_PATH);
    if (length <= 4 || length >= MAX_PATH) {
        return;
    }
    CONTRACT_EQ(name[length], 0);
    Text extension(name + length - 4, 4);
    CharUpperBuffW(extension.data(), 4);
    CONTRACT_TEXT(extension.data(), 4, Text(W(".EXE")));
    WCHAR exact[MAX_PATH];
    CONTRACT_EQ(GetModuleFileNameW(nullptr, exact, length + 1), length);
    CONTRACT_TEXT(exact, length + 1, Text(name, length + 1));
    WCHAR cut[MAX_PATH];
    SetLastError(ERROR_SUCCESS);
    CONTRACT_EQ(GetModuleFileNameW(nullptr, cut, length), length);
    CONTRACT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    if (environment.platform == contract::Platform::kWine) {
        contract::NoteKnownDifference(
            "GetModuleFileNameW fills a short buffer without a terminator; the documentation "
            "(Windows Vista and later) cuts the name and terminates it");
        CONTRACT_TEXT(cut, length, Text(name, length));
    } else {
        CONTRACT_TEXT(cut, length, Text(name, length - 1) + WCHAR{0});
    }
}

}  // namespace
