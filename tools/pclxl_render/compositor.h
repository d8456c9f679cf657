// Puts pixels on the page as the print model says: white source pixels drop out under source
// transparency, white paint pixels under paint transparency, and the rest is ROP3(D, S, P).
// Shapes (fills, strokes, glyphs) are a black source through which the paint shows.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "page_raster.h"
#include "paint.h"
#include "region.h"

namespace pclxl_render {

struct DrawMode {
    std::uint8_t rop = 0xFC;
    bool sourceTransparent = false;
    bool paintTransparent = false;
};

// What a compositor's source is: the black of a shape, or pixels of an image.
enum class SourceKind { kShape, kPixels };

class Compositor {
public:
    Compositor(const DrawMode& mode, const Paint& paint, SourceKind source);

    // Paints the region's pixels as a black source would.
    void PaintShape(PageRaster& page, const Region& region) const;

    // Puts one source pixel `source` (three components) at `pixel`, device column x of row y.
    void Put(std::uint8_t* pixel, const std::uint8_t* source, int x, int y) const {
        if (mode_.sourceTransparent && IsWhite(source)) {
            return;
        }
        const std::uint8_t* paint = paint_.At(x, y);
        if (mode_.paintTransparent && IsWhite(paint)) {
            return;
        }
        if (mode_.rop == kSourceCopy) {
            pixel[0] = source[0], pixel[1] = source[1], pixel[2] = source[2];
        } else if (!solidTable_.empty()) {
            for (int c = 0; c < 3; ++c) {
                pixel[c] = solidTable_[(c << 16) | (source[c] << 8) | pixel[c]];
            }
        } else {
            PutGeneral(pixel, source, paint);
        }
    }

    // Whether anything can be drawn at all (a null paint draws nothing).
    bool Draws() const { return paint_.kind != Paint::Kind::kNone; }

private:
    static constexpr std::uint8_t kSourceCopy = 0xCC;
    static bool IsWhite(const std::uint8_t* rgb) {
        return rgb[0] == 0xFF && rgb[1] == 0xFF && rgb[2] == 0xFF;
    }
    void PutGeneral(std::uint8_t* pixel, const std::uint8_t* source,
                    const std::uint8_t* paint) const;

    DrawMode mode_;
    const Paint& paint_;
    // For a solid paint: result of component c for source s and destination d at
    // [c << 16 | s << 8 | d].
    std::vector<std::uint8_t> solidTable_;
};

}  // namespace pclxl_render
