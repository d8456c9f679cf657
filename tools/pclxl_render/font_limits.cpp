#include "pclxl_render/font_limits.h"

#include <cmath>

namespace pclxl_render {

std::string CheckGlyphSize(double width, double height) {
    const bool sidesFit = std::isfinite(width) && std::isfinite(height) && width <= kMaxGlyphSide &&
                          height <= kMaxGlyphSide;
    if (!sidesFit || width * height > static_cast<double>(kMaxGlyphPixels)) {
        return "a glyph of " + std::to_string(std::llround(std::isfinite(width) ? width : -1)) +
               " x " + std::to_string(std::llround(std::isfinite(height) ? height : -1)) +
               " device pixels is larger than the renderer draws (" +
               std::to_string(kMaxGlyphSide) + " pixels a side, " +
               std::to_string(kMaxGlyphPixels / kMiB) + " Mi pixels in all)";
    }
    return "";
}

}  // namespace pclxl_render
