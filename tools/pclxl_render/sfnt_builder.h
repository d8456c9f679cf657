// A TrueType font rebuilt in memory from what a stream downloaded: the global tables of the font
// header and the glyphs of the character records, so that FreeType can draw them. Glyphs keep
// their ids, so composite glyphs find the components that were downloaded beside them.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "pclxl_render/char_records.h"
#include "pclxl_render/font_header.h"

namespace pclxl_render {

struct RebuiltFont {
    std::vector<std::uint8_t> sfnt;
    std::uint16_t unitsPerEm = 0;
    std::vector<std::uint16_t> advanceWidths;  // font units, by glyph id
};

// `header` is an accepted TrueType font header; `glyphs` are the downloaded glyphs by id.
RebuiltFont RebuildTrueTypeFont(const FontHeader& header,
                                const std::map<std::uint16_t, TrueTypeChar>& glyphs);

}  // namespace pclxl_render
