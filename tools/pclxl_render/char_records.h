// The character records that ReadChar downloads into a soft font: a bitmap character (format 0,
// class 0) or a TrueType glyph (format 1; class 0 carries the glyph alone, classes 1 and 2 add its
// horizontal metrics, class 2 also its top side bearing for vertical text).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pclxl_render {

struct BitmapChar {
    // The bitmap's top-left corner relative to the character origin, in the font's dots:
    // left to the right of the origin, top above the baseline.
    std::int16_t leftOffset = 0;
    std::int16_t topOffset = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<std::uint8_t> rows;  // height rows of (width + 7) / 8 bytes, first pixel in bit 7

    bool Ink(int column, int row) const {
        const std::size_t rowBytes = (width + 7u) / 8u;
        return (rows[row * rowBytes + column / 8] >> (7 - column % 8)) & 1;
    }
};

struct HorizontalMetric {
    std::uint16_t advanceWidth = 0;  // font units
    std::int16_t leftSideBearing = 0;
};

struct TrueTypeChar {
    std::uint16_t glyphId = 0;
    std::optional<HorizontalMetric> metric;  // classes 1 and 2
    std::vector<std::uint8_t> outline;       // the glyph's bytes as a "glyf" table holds them
};

// Each answers "" and fills the record, or says what is wrong with the bytes.
std::string ParseBitmapChar(std::span<const std::uint8_t> record, BitmapChar& out);
std::string ParseTrueTypeChar(std::span<const std::uint8_t> record, TrueTypeChar& out);

}  // namespace pclxl_render
