// One downloaded font: its accepted header, its characters, and for a TrueType font the FreeType
// face rebuilt from them when they are drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "pclxl_render/char_records.h"
#include "pclxl_render/font_header.h"
#include "pclxl_render/sfnt_builder.h"
#include "pclxl_render/soft_fonts.h"
#include "pclxl_render/truetype_rasteriser.h"

namespace pclxl_render {

class SoftFont {
public:
    explicit SoftFont(FontHeader header);

    // What the font keeps, bookkeeping included; the face is not counted (see CloseFace).
    std::size_t storedBytes() const { return storedBytes_; }

    // Parses `record` and keeps it under `code`, replacing what the code held, unless the font
    // would grow by more than `room` bytes.
    std::string AddChar(std::uint16_t code, std::span<const std::uint8_t> record, std::size_t room);

    // Draws `code`: nothing when it was never downloaded.
    std::string Render(const FreeTypeLibrary& freeType, std::uint16_t code,
                       const CharMatrix& matrix, double deviceDpi, GlyphBitmap& out);

    bool HasFace() const { return face_ != nullptr; }
    // Lets the face go; the next Render of a TrueType character makes it again.
    void CloseFace();

private:
    template <typename Record>
    std::string Keep(std::map<std::uint16_t, Record>& records, std::uint16_t key, Record record,
                     std::size_t room);
    std::string AddTrueTypeChar(std::uint16_t code, std::span<const std::uint8_t> record,
                                std::size_t room);

    FontHeader header_;
    std::map<std::uint16_t, BitmapChar> bitmaps_;      // by character code
    std::map<std::uint16_t, TrueTypeChar> glyphs_;     // by glyph id
    std::map<std::uint16_t, std::uint16_t> glyphIds_;  // character code -> glyph id
    std::size_t storedBytes_ = 0;
    std::optional<RebuiltFont> rebuilt_;
    std::unique_ptr<TrueTypeFace> face_;
    std::string faceProblem_;
};

}  // namespace pclxl_render
