// The current colour space: gray or RGB, optionally with a palette that turns indices into
// colours of that space.
#pragma once

#include <cstdint>
#include <vector>

#include "paint.h"

namespace pclxl_render {

enum class ColourModel { kGray, kRgb };

struct ColourSpace {
    ColourModel model = ColourModel::kRgb;
    std::vector<Rgb> palette;  // empty without a palette

    int Components() const { return model == ColourModel::kGray ? 1 : 3; }
    // Palette entry `index`; black past the palette's end, as nothing defines it.
    Rgb Entry(std::uint32_t index) const { return index < palette.size() ? palette[index] : Rgb{}; }
};

}  // namespace pclxl_render
