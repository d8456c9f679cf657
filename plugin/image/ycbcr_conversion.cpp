#include "image/ycbcr_conversion.h"

#include <cstddef>

#include "image/ycbcr_fixed_point.h"
#include "image/ycbcr_x86.h"

namespace xlrender {
namespace {

using namespace ycbcr;

BYTE Luma(int red, int green, int blue) {
    return static_cast<BYTE>((kYRed * red + kYGreen * green + kYBlue * blue + kHalf) >>
                             kFractionBits);
}

BYTE Chroma(int redWeight, int greenWeight, int blueWeight, int red, int green, int blue) {
    const int sum = redWeight * red + greenWeight * green + blueWeight * blue + kChromaRounding +
                    (kChromaCentre << kFractionBits);
    return static_cast<BYTE>(sum >> kFractionBits);
}

void ConvertRowScalar(const BYTE* pixels, DWORD width, PlaneRows out) {
    for (DWORD x = 0; x < width; ++x, pixels += kBytesPerPixel) {
        const YCbCr sample =
            ConvertPixelToYCbCr(pixels[kRedByte], pixels[kGreenByte], pixels[kBlueByte]);
        out.y[x] = sample.y;
        out.cb[x] = sample.cb;
        out.cr[x] = sample.cr;
    }
}

#ifdef XLRENDER_X86_CONVERSION
ConversionLevel FindBestLevel() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) {
        return ConversionLevel::kAvx2;
    }
    if (__builtin_cpu_supports("ssse3")) {
        return ConversionLevel::kSsse3;
    }
    if (__builtin_cpu_supports("sse2")) {
        return ConversionLevel::kSse2;
    }
    return ConversionLevel::kScalar;
}
#else
ConversionLevel FindBestLevel() {
    return ConversionLevel::kScalar;
}
#endif

}  // namespace

YCbCr ConvertPixelToYCbCr(BYTE red, BYTE green, BYTE blue) {
    return {Luma(red, green, blue), Chroma(kCbRed, kCbGreen, kCbBlue, red, green, blue),
            Chroma(kCrRed, kCrGreen, kCrBlue, red, green, blue)};
}

ConversionLevel BestConversionLevel() {
    static const ConversionLevel best = FindBestLevel();
    return best;
}

bool IsConversionLevelSupported(ConversionLevel level) {
    // The levels are ordered: a processor with one has every level below it.
    return static_cast<int>(level) <= static_cast<int>(BestConversionLevel());
}

void ConvertRowToPlanes(ConversionLevel level, const BYTE* pixels, DWORD width, PlaneRows out) {
    DWORD done = 0;
#ifdef XLRENDER_X86_CONVERSION
    switch (level) {
        case ConversionLevel::kAvx2:
            done = ConvertRowAvx2(pixels, width, out);
            break;
        case ConversionLevel::kSsse3:
            done = ConvertRowSsse3(pixels, width, out);
            break;
        case ConversionLevel::kSse2:
            done = ConvertRowSse2(pixels, width, out);
            break;
        case ConversionLevel::kScalar:
            break;
    }
#else
    static_cast<void>(level);
#endif
    ConvertRowScalar(pixels + kBytesPerPixel * static_cast<std::size_t>(done), width - done,
                     {out.y + done, out.cb + done, out.cr + done});
}

}  // namespace xlrender
