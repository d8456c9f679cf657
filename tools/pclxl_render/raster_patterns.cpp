#include "raster_patterns.h"

#include <cmath>
#include <string>

#include "render_error.h"

namespace pclxl_render {
namespace {

// Larger tiles are refused: a pattern bigger than a page repeats nothing.
constexpr double kMaxTilePixels = 16.0 * 1024 * 1024;

// Where a copy of a tile `period` pixels long starts, within one period of 0 (any copy will do).
int TileOffset(double origin, double period) {
    const double offset = std::fmod(std::round(origin), period);
    return std::isfinite(offset) ? static_cast<int>(offset) : 0;
}

}  // namespace

const RasterPattern* RasterPatterns::Find(std::int32_t id) const {
    const auto found = patterns_.find(id);
    return found == patterns_.end() ? nullptr : &found->second;
}

void RasterPatterns::EndOf(bool endOfSession) {
    std::erase_if(patterns_, [endOfSession](const auto& entry) {
        return endOfSession || entry.second.lifetime != PatternLifetime::kSession;
    });
}

std::shared_ptr<const PatternTile> MakePatternTile(const RasterPattern& pattern, Point size,
                                                   const Affine& ctm, Point origin) {
    const Point extent = ctm.ApplyLinear(size);
    const double width = std::round(std::abs(extent.x)), height = std::round(std::abs(extent.y));
    if (!(width >= 1 && height >= 1 && width * height <= kMaxTilePixels)) {
        throw RenderError("a pattern tile of " + std::to_string(width) + " x " +
                          std::to_string(height) + " device pixels cannot be drawn");
    }
    auto tile = std::make_shared<PatternTile>();
    tile->width = static_cast<int>(width);
    tile->height = static_cast<int>(height);
    tile->originX = TileOffset(origin.x, width);
    tile->originY = TileOffset(origin.y, height);
    tile->rgb.resize(static_cast<std::size_t>(tile->width) * tile->height * 3);
    const RasterFormat& format = pattern.pixels->Format();
    static constexpr std::uint8_t kWhite[3] = {0xFF, 0xFF, 0xFF};
    for (int y = 0; y < tile->height; ++y) {
        const std::uint8_t* row = pattern.pixels->Row(
            static_cast<int>(static_cast<long long>(y) * format.height / tile->height));
        for (int x = 0; x < tile->width; ++x) {
            const int u = static_cast<int>(static_cast<long long>(x) * format.width / tile->width);
            const std::uint8_t* source = row != nullptr ? row + u * 3 : kWhite;
            std::uint8_t* target = &tile->rgb[(static_cast<std::size_t>(y) * tile->width + x) * 3];
            target[0] = source[0], target[1] = source[1], target[2] = source[2];
        }
    }
    return tile;
}

}  // namespace pclxl_render
