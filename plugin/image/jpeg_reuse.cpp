#include "image/jpeg_reuse.h"

#include <cstddef>
#include <cstring>

#include "image/blit_rules.h"
#include "platform/memory.h"

namespace xlrender {
namespace {

constexpr std::size_t kBytesPerPixel = 3;

std::size_t RowBytes(LONG width) {
    return kBytesPerPixel * static_cast<std::size_t>(width);
}

const BYTE* RectRow(const SURFOBJ& surface, const RECTL& rect, LONG row) {
    return ScanLine(surface, rect.top + row) + RowBytes(rect.left);
}

bool HoldsPicture(const KeptJpeg& kept, const SURFOBJ& surface, const RECTL& rect) {
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    if (kept.stream == nullptr || kept.width != width || kept.height != height) {
        return false;
    }
    const std::size_t rowBytes = RowBytes(width);
    for (LONG row = 0; row < height; ++row) {
        if (std::memcmp(kept.pixels + rowBytes * static_cast<std::size_t>(row),
                        RectRow(surface, rect, row), rowBytes) != 0) {
            return false;
        }
    }
    return true;
}

void Forget(KeptJpeg& kept) {
    FreeBlock(kept.stream);
    FreeBlock(kept.pixels);
    kept = {};
}

}  // namespace

const KeptJpeg* FindKeptJpeg(const JpegReuseCache& cache, const SURFOBJ& surface,
                             const RECTL& rect) {
    for (const KeptJpeg& kept : cache.slots) {
        if (HoldsPicture(kept, surface, rect)) {
            return &kept;
        }
    }
    return nullptr;
}

bool KeepJpeg(JpegReuseCache& cache, const SURFOBJ& surface, const RECTL& rect, const BYTE* stream,
              DWORD length) {
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    const std::size_t rowBytes = RowBytes(width);
    auto* pixels = static_cast<BYTE*>(AllocateZeroed(rowBytes * static_cast<std::size_t>(height)));
    auto* copy = static_cast<BYTE*>(AllocateZeroed(length));
    if (pixels == nullptr || copy == nullptr || length == 0) {
        FreeBlock(pixels);
        FreeBlock(copy);
        return false;
    }
    for (LONG row = 0; row < height; ++row) {
        std::memcpy(pixels + rowBytes * static_cast<std::size_t>(row), RectRow(surface, rect, row),
                    rowBytes);
    }
    std::memcpy(copy, stream, length);
    KeptJpeg& slot = cache.slots[cache.nextSlot % kKeptJpegSlots];
    Forget(slot);
    slot = {copy, length, pixels, width, height};
    cache.nextSlot = (cache.nextSlot + 1) % kKeptJpegSlots;
    return true;
}

void ForgetKeptJpegs(JpegReuseCache& cache) {
    for (KeptJpeg& kept : cache.slots) {
        Forget(kept);
    }
    cache.nextSlot = 0;
}

}  // namespace xlrender
