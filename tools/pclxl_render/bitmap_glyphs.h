// Bitmap soft-font characters drawn on the preview: the downloaded dots scaled from the font's
// resolution to the device's and turned the way the character matrix points.
#pragma once

#include <cstdint>
#include <string>

#include "pclxl_render/char_records.h"
#include "pclxl_render/soft_fonts.h"

namespace pclxl_render {

// The matrix contributes only its direction: the angle of its x axis, and a mirror when it turns
// the y axis the other way. A bitmap has no escapement of its own, so the advance is the
// character's right edge (left offset + width) along the baseline.
std::string RenderBitmapChar(const BitmapChar& character, std::uint16_t xResolution,
                             std::uint16_t yResolution, const CharMatrix& matrix, double deviceDpi,
                             GlyphBitmap& out);

}  // namespace pclxl_render
