// Reading and writing pixels of 8-, 24- and 32-bit engine surfaces, in either row order, with
// row addresses computed in 64 bits.
#pragma once

#include <vector>

#include "platform/win32_api.h"

namespace sim::gdi {

// A surface whose pixels the engine can reach: bits and an 8-, 24- or 32-bit format.
bool IsDrawableBitmap(const SURFOBJ* surface);
bool Contains(const SURFOBJ& surface, LONG x, LONG y);

// 0xRRGGBB of a pixel. An 8-bit index goes through the translation's table when it has one,
// else it reads as a grey level.
ULONG ReadRgb(const SURFOBJ& surface, LONG x, LONG y, const XLATEOBJ* translation);
// Stores 0xRRGGBB (an 8-bit surface gets the grey level).
void WriteRgb(const SURFOBJ& surface, LONG x, LONG y, ULONG rgb);
// Copies one pixel: the stored bytes when both surfaces share a format and nothing is
// translated, else through the colour.
void CopyPixel(const SURFOBJ& source, LONG sx, LONG sy, const XLATEOBJ* translation,
               const SURFOBJ& target, LONG x, LONG y);

// Translations as GDI builds them for a blit.
// Moves keep the table where the object points; copies would not, so there are none.
struct Translation {
    Translation() = default;
    Translation(const Translation&) = delete;
    Translation& operator=(const Translation&) = delete;
    Translation(Translation&&) = default;
    Translation& operator=(Translation&&) = default;

    XLATEOBJ object{};
    std::vector<ULONG> entries;
};
Translation TrivialTranslation();
// 256 grey levels, for 8-bit pictures.
Translation GreyPalette();

}  // namespace sim::gdi
