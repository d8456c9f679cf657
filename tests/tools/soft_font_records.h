// Font headers and character records as a PCL XL stream downloads them, built byte by byte for
// the soft-font tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace xlrender::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value >> 16);
    Put16(out, value & 0xFFFF);
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// The eight bytes that open a font header: format 0, portrait, the mapping, the scaling
// technology (1 TrueType, 254 bitmap), variety 0 and the number of characters.
inline Bytes FontDescription(std::uint8_t technology, unsigned charCount = 1) {
    Bytes out = {0, 0, 0, 2, technology, 0};
    Put16(out, charCount);
    return out;
}

inline Bytes Segment(const std::string& id, const Bytes& data) {
    Bytes out(id.begin(), id.end());
    Put32(out, static_cast<std::uint32_t>(data.size()));
    return Concat({out, data});
}

inline const Bytes kNullSegment = {0xFF, 0xFF, 0, 0, 0, 0};

inline Bytes BitmapResolution(unsigned x, unsigned y) {
    Bytes data;
    Put16(data, x);
    Put16(data, y);
    return Segment("BR", data);
}

inline Bytes BitmapFontHeader(unsigned resolution) {
    return Concat({FontDescription(254), BitmapResolution(resolution, resolution), kNullSegment});
}

// Format 0, class 0: offsets, size, then rows padded to whole bytes.
inline Bytes BitmapCharRecord(int left, int top, unsigned width, unsigned height,
                              const Bytes& rows) {
    Bytes out = {0, 0};
    Put16(out, static_cast<std::uint16_t>(left));
    Put16(out, static_cast<std::uint16_t>(top));
    Put16(out, width);
    Put16(out, height);
    return Concat({out, rows});
}

// A minimal TrueType font: "head" (1000 units per em) and "maxp" (one glyph) and nothing else,
// so that a reader has to make do without horizontal metrics.
inline Bytes SquareFontTables() {
    Bytes head(54, 0);
    head[18] = 1000 >> 8;
    head[19] = 1000 & 0xFF;
    const Bytes maxp = {0, 0, 0x50, 0, 0, 1};  // version 0.5, one glyph
    Bytes directory;
    Put32(directory, 0x00010000);
    Put16(directory, 2);
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, 0);
    const std::size_t dataStart = 12 + 2 * 16;
    for (const auto& [tag, offset, length] : {std::tuple{"head", dataStart, head.size()},
                                              std::tuple{"maxp", dataStart + 56, maxp.size()}}) {
        directory.insert(directory.end(), tag, tag + 4);
        Put32(directory, 0);
        Put32(directory, static_cast<std::uint32_t>(offset));
        Put32(directory, static_cast<std::uint32_t>(length));
    }
    return Segment("GT", Concat({directory, head, {0, 0}, maxp}));
}

// One contour: the square from (0, 0) to (500, 500) font units, as a "glyf" entry.
inline Bytes SquareGlyph() {
    Bytes out;
    for (unsigned value : {1u, 0u, 0u, 500u, 500u, 3u, 0u}) {  // contours, box, end point, no code
        Put16(out, value);
    }
    out.insert(out.end(), 4, 0x01);  // four on-curve points, coordinates as 16-bit deltas
    for (int delta : {0, 500, 0, -500, 0, 0, 500, 0}) {  // x deltas, then y deltas
        Put16(out, static_cast<std::uint16_t>(delta));
    }
    return out;
}

// Format 1: class 0 carries the glyph alone; class 2, sent when an advance is given, adds the
// left side bearing (the outline's xMin), that advance and a top side bearing. The data size counts
// from its own field to the end of the glyph.
inline Bytes TrueTypeCharRecord(unsigned glyphId, const Bytes& outline,
                                std::optional<unsigned> advance = std::nullopt) {
    Bytes out = {1, static_cast<std::uint8_t>(advance ? 2 : 0)};
    Put16(out, static_cast<unsigned>(outline.size() + (advance ? 10 : 4)));
    if (advance) {
        Put16(out, outline.size() >= 4 ? (outline[2] << 8 | outline[3]) : 0);
        Put16(out, *advance);
        Put16(out, 0);
    }
    Put16(out, glyphId);
    return Concat({out, outline});
}

}  // namespace xlrender::testing
