// The vector levels of the colour conversion on x86 processors. Each converts the longest
// leading run of whole vectors of the row and returns how many pixels it converted; the caller
// converts the rest with the reference. Each must only be called where the processor has its
// instructions.
#pragma once

#include "image/ycbcr_conversion.h"

#if defined(__x86_64__) || defined(__i386__)
#define XLRENDER_X86_CONVERSION 1

namespace xlrender {

DWORD ConvertRowSse2(const BYTE* pixels, DWORD width, PlaneRows out);
DWORD ConvertRowSsse3(const BYTE* pixels, DWORD width, PlaneRows out);
DWORD ConvertRowAvx2(const BYTE* pixels, DWORD width, PlaneRows out);

}  // namespace xlrender

#endif
