// The plug-in's one allocator: zero-filled blocks from the process-local heap. Every block the
// plug-in takes comes from here, so the stand-in can make any allocation fail.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

#include "platform/win32_api.h"

namespace xlrender {

// A zero-filled block, or null when the heap refuses.
inline void* AllocateZeroed(std::size_t bytes) noexcept {
    return LocalAlloc(LPTR, bytes);
}

inline void FreeBlock(void* block) noexcept {
    if (block != nullptr) {
        LocalFree(block);
    }
}

// Owns a block from AllocateZeroed (or adopts one) and frees it when the scope ends.
class OwnedBlock {
public:
    OwnedBlock() = default;
    explicit OwnedBlock(std::size_t bytes) noexcept : block_(AllocateZeroed(bytes)) {}
    explicit OwnedBlock(void* adopted) noexcept : block_(adopted) {}
    ~OwnedBlock() { FreeBlock(block_); }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;

    template <typename T = BYTE>
    T* as() const noexcept {
        return static_cast<T*>(block_);
    }
    explicit operator bool() const noexcept { return block_ != nullptr; }

private:
    void* block_ = nullptr;
};

// Constructs a T in a zero-filled block; null when the heap refuses.
template <typename T, typename... Arguments>
T* CreateObject(Arguments&&... arguments) noexcept {
    void* block = AllocateZeroed(sizeof(T));
    if (block == nullptr) {
        return nullptr;
    }
    return ::new (block) T(std::forward<Arguments>(arguments)...);
}

template <typename T>
void DestroyObject(T* object) noexcept {
    if (object != nullptr) {
        object->~T();
        FreeBlock(object);
    }
}

}  // namespace xlrender
