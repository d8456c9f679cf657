#include "gdi/surface_pixels.h"

#include <cstddef>
#include <cstring>

namespace sim::gdi {
namespace {

int BytesPerPixel(ULONG format) {
    switch (format) {
        case BMF_8BPP:
            return 1;
        case BMF_24BPP:
            return 3;
        case BMF_32BPP:
            return 4;
        default:
            return 0;
    }
}

BYTE* PixelAt(const SURFOBJ& surface, LONG x, LONG y) {
    const std::ptrdiff_t row = static_cast<std::ptrdiff_t>(y) * surface.lDelta;
    return static_cast<BYTE*>(surface.pvScan0) + row +
           static_cast<std::ptrdiff_t>(x) * BytesPerPixel(surface.iBitmapFormat);
}

ULONG Grey(BYTE level) {
    return level * 0x010101u;
}

}  // namespace

bool IsDrawableBitmap(const SURFOBJ* surface) {
    return surface != nullptr && surface->pvScan0 != nullptr &&
           BytesPerPixel(surface->iBitmapFormat) != 0;
}

bool Contains(const SURFOBJ& surface, LONG x, LONG y) {
    return x >= 0 && y >= 0 && x < surface.sizlBitmap.cx && y < surface.sizlBitmap.cy;
}

ULONG ReadRgb(const SURFOBJ& surface, LONG x, LONG y, const XLATEOBJ* translation) {
    const BYTE* pixel = PixelAt(surface, x, y);
    if (surface.iBitmapFormat == BMF_8BPP) {
        if (translation != nullptr && (translation->flXlate & XO_TABLE) != 0 &&
            translation->pulXlate != nullptr && pixel[0] < translation->cEntries) {
            return translation->pulXlate[pixel[0]] & 0xFFFFFF;
        }
        return Grey(pixel[0]);
    }
    return static_cast<ULONG>(pixel[2]) << 16 | static_cast<ULONG>(pixel[1]) << 8 | pixel[0];
}

void WriteRgb(const SURFOBJ& surface, LONG x, LONG y, ULONG rgb) {
    BYTE* pixel = PixelAt(surface, x, y);
    const BYTE red = static_cast<BYTE>(rgb >> 16);
    const BYTE green = static_cast<BYTE>(rgb >> 8);
    const BYTE blue = static_cast<BYTE>(rgb);
    if (surface.iBitmapFormat == BMF_8BPP) {
        pixel[0] = static_cast<BYTE>((red * 299 + green * 587 + blue * 114 + 500) / 1000);
        return;
    }
    pixel[0] = blue;
    pixel[1] = green;
    pixel[2] = red;
}

void CopyPixel(const SURFOBJ& source, LONG sx, LONG sy, const XLATEOBJ* translation,
               const SURFOBJ& target, LONG x, LONG y) {
    const bool translated = translation != nullptr && (translation->flXlate & XO_TRIVIAL) == 0;
    if (source.iBitmapFormat == target.iBitmapFormat && !translated) {
        std::memcpy(PixelAt(target, x, y), PixelAt(source, sx, sy),
                    static_cast<std::size_t>(BytesPerPixel(source.iBitmapFormat)));
        return;
    }
    WriteRgb(target, x, y, ReadRgb(source, sx, sy, translation));
}

Translation TrivialTranslation() {
    Translation translation;
    translation.object.flXlate = XO_TRIVIAL;
    return translation;
}

Translation GreyPalette() {
    Translation translation;
    constexpr ULONG kLevels = 256;
    for (ULONG level = 0; level < kLevels; ++level) {
        translation.entries.push_back(Grey(static_cast<BYTE>(level)));
    }
    translation.object.flXlate = XO_TABLE;
    translation.object.cEntries = kLevels;
    translation.object.pulXlate = translation.entries.data();
    return translation;
}

}  // namespace sim::gdi
