// The PCL XL font header (font format 0) as a stream downloads it with ReadFontHeader: eight bytes
// of description (format, orientation, mapping, scaling technology, variety, number of characters)
// followed by data segments, each a two-character identifier, a 32-bit size and its bytes, up to
// the null segment (identifier FFFF, size 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pclxl_render {

enum class ScalingTechnology : std::uint8_t { kTrueType = 1, kBitmap = 254 };

constexpr std::uint32_t TableTag(const char (&name)[5]) {
    return static_cast<std::uint32_t>(name[0]) << 24 | static_cast<std::uint32_t>(name[1]) << 16 |
           static_cast<std::uint32_t>(name[2]) << 8 | static_cast<std::uint32_t>(name[3]);
}

// One table of the "GT" segment's directory; offset counts from the start of the header bytes.
struct TableRecord {
    std::uint32_t tag = 0;
    std::size_t offset = 0;
    std::size_t length = 0;
};

struct FontHeader {
    ScalingTechnology technology = ScalingTechnology::kTrueType;
    std::uint8_t orientation = 0;
    std::uint16_t mapping = 0;
    std::uint16_t charCount = 0;
    // Bitmap fonts: the dots per inch of their characters ("BR" segment).
    std::uint16_t xResolution = 0;
    std::uint16_t yResolution = 0;
    // TrueType fonts: the global tables ("GT" segment), in directory order.
    std::vector<TableRecord> tables;
    std::vector<std::uint8_t> bytes;

    // The bytes of table `tag`, empty when the header has none.
    std::span<const std::uint8_t> Table(std::uint32_t tag) const;
};

// TrueType fields the renderer relies on, checked when the header is accepted.
constexpr std::size_t kHeadTableMinSize = 54;
constexpr std::size_t kHeadUnitsPerEmOffset = 18;
constexpr std::size_t kHeadIndexToLocFormatOffset = 50;
constexpr std::size_t kMaxpTableMinSize = 6;
constexpr std::size_t kMaxpNumGlyphsOffset = 4;
constexpr std::size_t kHheaTableSize = 36;
constexpr std::size_t kHheaNumberOfHMetricsOffset = 34;

// Reads the header's bytes into `header` (which takes them over): "" when the font can be used,
// otherwise what is wrong with it.
std::string ParseFontHeader(std::vector<std::uint8_t> bytes, FontHeader& header);

}  // namespace pclxl_render
