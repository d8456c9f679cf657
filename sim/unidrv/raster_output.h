// How the simulated Unidrv draws what the plug-in leaves to it: 8-, 24- and 32-bit surfaces as
// direct 8-bit RGB PCL XL images (PackBits rows padded to four bytes) and solid rectangles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace sim::unidrv {

// The visible part of a blit: `source` pixels of the surface drawn into `destination` (device
// pixels), already cut to the clip.
struct RasterBlit {
    const SURFOBJ* surface;
    RECTL source;
    RECTL destination;
    const XLATEOBJ* translation = nullptr;  // the blit's colour translation (palettes)
};

// Appends SetROP with `rop3`, which the image or rectangle drawn next is combined by.
void WriteRop3(std::string& out, std::uint8_t rop3);

// Appends the image for an 8-, 24- or 32-bit surface; false (nothing written) for others.
bool WriteRasterImage(std::string& out, const RasterBlit& blit);

// Appends a solid rectangle in colour 0xRRGGBB.
void WriteFilledRectangle(std::string& out, const RECTL& rectangle, ULONG rgb);

// The parts of `rectangle` inside `clip`: each rectangle of a complex clip the stand-in made,
// else the clip's bounds. Empty when nothing is visible.
std::vector<RECTL> VisibleParts(const RECTL& rectangle, const CLIPOBJ* clip);

// The source pixels that land on `visible`, a part of `destination`, when `source` is stretched
// onto `destination`.
RECTL SourceForVisiblePart(const RECTL& source, const RECTL& destination, const RECTL& visible);

}  // namespace sim::unidrv
