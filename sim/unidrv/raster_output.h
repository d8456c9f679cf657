// How the simulated Unidrv draws what the plug-in leaves to it: 24-bit surfaces as direct 8-bit
// RGB PCL XL images (PackBits rows padded to four bytes) and solid rectangles.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32_api.h"

namespace sim::unidrv {

// The visible part of a blit: `source` pixels of the surface drawn into `destination` (device
// pixels), already cut to the clip.
struct RasterBlit {
    const SURFOBJ* surface;
    RECTL source;
    RECTL destination;
};

// Appends SetROP with `rop3`, which the image or rectangle drawn next is combined by.
void WriteRop3(std::string& out, std::uint8_t rop3);

// Appends the image for a 24-bit surface; false (nothing written) for other formats.
bool WriteRasterImage(std::string& out, const RasterBlit& blit);

// Appends a solid rectangle in colour 0xRRGGBB.
void WriteFilledRectangle(std::string& out, const RECTL& rectangle, ULONG rgb);

// The part of `rectangle` inside `clip` (a DC_RECT or DC_COMPLEX clip counts by its bounds);
// empty (left >= right) when nothing is visible.
RECTL ClipRectangle(const RECTL& rectangle, const CLIPOBJ* clip);

// The source pixels that land on `visible`, a part of `destination`, when `source` is stretched
// onto `destination`.
RECTL SourceForVisiblePart(const RECTL& source, const RECTL& destination, const RECTL& visible);

}  // namespace sim::unidrv
