// What a brush or pen puts down: nothing (NullBrush / NullPen), one colour, or a raster
// pattern repeated over the page from an origin.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace pclxl_render {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// A raster pattern at device resolution, as the page repeats it.
struct PatternTile {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height pixels
    int originX = 0;                // device pixel where a copy of the tile starts
    int originY = 0;
};

struct Paint {
    enum class Kind { kNone, kSolid, kPattern };
    Kind kind = Kind::kSolid;
    Rgb colour;  // black, the default of brush and pen
    std::shared_ptr<const PatternTile> tile;

    // The paint's colour components at device pixel (x, y); only for kSolid and kPattern.
    const std::uint8_t* At(int x, int y) const {
        if (kind == Kind::kSolid) {
            return &colour.r;
        }
        const int u = Wrap(x - tile->originX, tile->width);
        const int v = Wrap(y - tile->originY, tile->height);
        return &tile->rgb[(static_cast<std::size_t>(v) * tile->width + u) * 3];
    }

private:
    static int Wrap(int value, int period) {
        const int remainder = value % period;
        return remainder < 0 ? remainder + period : remainder;
    }
};

static_assert(sizeof(Rgb) == 3, "Rgb is read as three consecutive components");

}  // namespace pclxl_render
