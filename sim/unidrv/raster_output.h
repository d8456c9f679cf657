// How the simulated Unidrv draws what the plug-in leaves to it: 8-, 24- and 32-bit surfaces as
// direct 8-bit RGB PCL XL images (PackBits rows padded to four bytes) and solid rectangles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace sim::unidrv {

// A blit stretching the `source` pixels of the surface onto `destination` (device pixels), of
// which the `visible` part (a band, a rectangle of the clip) is drawn now.
struct RasterBlit {
    const SURFOBJ* surface;
    RECTL source;
    RECTL destination;
    RECTL visible;
    const XLATEOBJ* translation = nullptr;  // the blit's colour translation (palettes)
};

// Appends SetROP with `rop3`, which the image or rectangle drawn next is combined by.
void WriteRop3(std::string& out, std::uint8_t rop3);

// Appends the visible part of the blit for an 8-, 24- or 32-bit surface, false (nothing
// written) for others. The image carries device pixels, stretched as GDI stretches into a band
// bitmap: each takes the source pixel under its centre in the whole blit. So a part shows
// exactly what the same device pixels show when the blit is drawn whole, wherever bands and
// clip rectangles cut a stretched picture.
bool WriteRasterImage(std::string& out, const RasterBlit& blit);

// Appends a solid rectangle in colour 0xRRGGBB.
void WriteFilledRectangle(std::string& out, const RECTL& rectangle, ULONG rgb);

// The parts of `rectangle` inside `clip`: each rectangle of a complex clip the stand-in made,
// else the clip's bounds. Empty when nothing is visible.
std::vector<RECTL> VisibleParts(const RECTL& rectangle, const CLIPOBJ* clip);

}  // namespace sim::unidrv
