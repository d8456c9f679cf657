// The printer family's colour conversion from blue-green-red pixels to Y, Cb and Cr in 12-bit
// fixed point, one row at a time into three planes. The scalar code is the reference; the
// vector levels compute the same integer sums and give every sample equal.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

struct YCbCr {
    BYTE y;
    BYTE cb;
    BYTE cr;
};

// The conversion of one pixel: the reference every level must equal.
YCbCr ConvertPixelToYCbCr(BYTE red, BYTE green, BYTE blue);

// Where one converted row goes: `width` samples into each plane.
struct PlaneRows {
    BYTE* y;
    BYTE* cb;
    BYTE* cr;
};

enum class ConversionLevel {
    kScalar,
    kSse2,
    kSsse3,  // byte shuffles take the pixels apart
    kAvx2,   // twice the width
};

// Whether this processor (and this build) can run `level`.
bool IsConversionLevelSupported(ConversionLevel level);

// The fastest level this processor runs, found once.
ConversionLevel BestConversionLevel();

// Converts `width` pixels (blue, green, red in memory) at `level`, which must be supported.
void ConvertRowToPlanes(ConversionLevel level, const BYTE* pixels, DWORD width, PlaneRows out);

}  // namespace xlrender
