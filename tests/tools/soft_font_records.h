// Font headers and character records as a PCL XL stream downloads them, built byte by byte for
// the soft-font tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
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

}  // namespace xlrender::testing
