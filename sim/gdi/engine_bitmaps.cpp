// EngCreateBitmap and the surface life cycle. Rows of a top-down bitmap go down from pvBits
// with a positive lDelta; a bottom-up bitmap keeps its top row last in memory, so pvScan0
// points at the last row and lDelta is negative. Pixels are stored blue, green, red in both.
#include <cstring>

#include "gdi/engine_bitmap.h"
#include "gdi/engine_state.h"
#include "world.h"

namespace sim::gdi {

ULONG ScanlineBytesFor(ULONG format, LONG width) {
    ULONG bits = 0;
    switch (format) {
        case BMF_1BPP:
            bits = 1;
            break;
        case BMF_4BPP:
            bits = 4;
            break;
        case BMF_8BPP:
            bits = 8;
            break;
        case BMF_16BPP:
            bits = 16;
            break;
        case BMF_24BPP:
            bits = 24;
            break;
        case BMF_32BPP:
            bits = 32;
            break;
        default:
            return 0;
    }
    return static_cast<ULONG>((static_cast<unsigned long long>(width) * bits + 31) / 32 * 4);
}

namespace {

EngineBitmap* Find(HSURF handle) {
    auto& bitmaps = TheWorld().engine.bitmaps;
    const auto found = bitmaps.find(handle);
    return found == bitmaps.end() ? nullptr : found->second.get();
}

// The largest bitmap the stand-in makes: Windows refuses sizes whose bits overflow 32 bits.
constexpr unsigned long long kLargestBitmapBytes = 0x7FFFFFFF;

}  // namespace
}  // namespace sim::gdi

using sim::gdi::EngineBitmap;

extern "C" {

HBITMAP APIENTRY EngCreateBitmap(SIZEL sizl, LONG lWidth, ULONG iFormat, FLONG fl, PVOID pvBits) {
    if (sim::EngineCallFails("EngCreateBitmap") || sizl.cx <= 0 || sizl.cy <= 0) {
        return nullptr;
    }
    const ULONG minimum = sim::gdi::ScanlineBytesFor(iFormat, sizl.cx);
    const auto stride = static_cast<unsigned long long>(lWidth);
    if (minimum == 0 || lWidth < 0 || stride < minimum ||
        stride * static_cast<unsigned long long>(sizl.cy) > sim::gdi::kLargestBitmapBytes) {
        return nullptr;
    }
    sim::EngineState& engine = sim::TheWorld().engine;
    auto bitmap = std::make_unique<EngineBitmap>();
    const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(sizl.cy);
    BYTE* bits = static_cast<BYTE*>(pvBits);
    if (bits == nullptr) {
        bitmap->ownBits.assign(bytes,
                               (fl & BMF_NOZEROINIT) != 0 ? sim::gdi::kUninitialisedFill : 0);
        bits = bitmap->ownBits.data();
    }
    const bool topDown = (fl & BMF_TOPDOWN) != 0;
    SURFOBJ& surface = bitmap->object;
    const auto handle = reinterpret_cast<HSURF>(engine.nextHandle++);
    surface.hsurf = handle;
    surface.sizlBitmap = sizl;
    surface.cjBits = static_cast<ULONG>(bytes);
    surface.pvBits = bits;
    surface.pvScan0 = topDown ? bits : bits + (bytes - static_cast<std::size_t>(stride));
    surface.lDelta = topDown ? lWidth : -lWidth;
    surface.iBitmapFormat = iFormat;
    surface.iType = STYPE_BITMAP;
    surface.fjBitmap = topDown ? BMF_TOPDOWN : 0;
    engine.bitmaps.emplace(handle, std::move(bitmap));
    return reinterpret_cast<HBITMAP>(handle);
}

BOOL APIENTRY EngAssociateSurface(HSURF hsurf, HDEV hdev, FLONG) {
    EngineBitmap* bitmap = sim::gdi::Find(hsurf);
    if (sim::EngineCallFails("EngAssociateSurface") || bitmap == nullptr || hdev == nullptr) {
        return FALSE;
    }
    bitmap->object.hdev = hdev;
    return TRUE;
}

SURFOBJ* APIENTRY EngLockSurface(HSURF hsurf) {
    EngineBitmap* bitmap = sim::gdi::Find(hsurf);
    if (sim::EngineCallFails("EngLockSurface") || bitmap == nullptr) {
        return nullptr;
    }
    ++bitmap->locks;
    return &bitmap->object;
}

VOID APIENTRY EngUnlockSurface(SURFOBJ* pso) {
    if (pso == nullptr) {
        return;
    }
    EngineBitmap* bitmap = sim::gdi::Find(pso->hsurf);
    if (bitmap != nullptr && &bitmap->object == pso && bitmap->locks > 0) {
        --bitmap->locks;
    }
}

BOOL APIENTRY EngDeleteSurface(HSURF hsurf) {
    auto& bitmaps = sim::TheWorld().engine.bitmaps;
    const auto found = bitmaps.find(hsurf);
    // A locked surface is still in use: Windows keeps it, and so does the stand-in.
    if (found == bitmaps.end() || found->second->locks > 0) {
        return FALSE;
    }
    bitmaps.erase(found);
    return TRUE;
}

}  // extern "C"
