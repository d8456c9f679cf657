// Engine bitmaps: the surfaces EngCreateBitmap makes, laid out as Windows lays them out.
#pragma once

#include <vector>

#include "platform/win32_api.h"

namespace sim::gdi {

struct EngineBitmap {
    SURFOBJ object{};
    std::vector<BYTE> ownBits;  // empty when the caller supplied the bits
    int locks = 0;
};

// Bytes Windows gives one scan line of `width` pixels in `format` (DWORD-aligned); 0 for a
// format it does not know.
ULONG ScanlineBytesFor(ULONG format, LONG width);

// Fill of bitmaps made with BMF_NOZEROINIT, so that code reading bits it never wrote shows up.
constexpr BYTE kUninitialisedFill = 0xCD;

}  // namespace sim::gdi
