// FreeType behind a small interface: a face over a rebuilt font, and its glyphs drawn through a
// character matrix as 8-bit coverage. FreeType's errors come back as messages.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pclxl_render/soft_fonts.h"

namespace pclxl_render {

class FreeTypeLibrary {
public:
    FreeTypeLibrary();
    ~FreeTypeLibrary();
    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

    // "" when FreeType started, otherwise why it did not.
    const std::string& problem() const { return problem_; }
    void* handle() const { return library_; }

private:
    void* library_ = nullptr;  // FT_Library, kept out of this header
    std::string problem_;
};

class TrueTypeFace {
public:
    ~TrueTypeFace();
    TrueTypeFace(const TrueTypeFace&) = delete;
    TrueTypeFace& operator=(const TrueTypeFace&) = delete;

    // Opens `sfnt` (kept alive by the face); null with `problem` set when FreeType refuses it.
    static std::unique_ptr<TrueTypeFace> Open(const FreeTypeLibrary& library,
                                              std::vector<std::uint8_t> sfnt, std::string& problem);

    // Draws glyph `glyphId` with the em mapped through `matrix` (see CharMatrix): coverage and
    // placement only; the caller sets the advance.
    std::string Render(std::uint16_t glyphId, std::uint16_t unitsPerEm, const CharMatrix& matrix,
                       GlyphBitmap& out) const;

private:
    TrueTypeFace() = default;

    std::vector<std::uint8_t> sfnt_;
    void* face_ = nullptr;  // FT_Face over sfnt_
    void* library_ = nullptr;
};

}  // namespace pclxl_render
