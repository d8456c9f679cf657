// Big-endian numbers as font headers, character records and TrueType tables store them: a reader
// that never looks past its span, and appenders for building a font in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "pclxl_dump/byte_cursor.h"

namespace pclxl_render {

class BigEndianReader : public pclxl_dump::ByteCursor {
public:
    using ByteCursor::ByteCursor;

    // Each read answers false, consuming nothing, when the bytes are not there.
    bool U8(std::uint8_t& value) { return Read(1, value); }
    bool U16(std::uint16_t& value) { return Read(2, value); }
    bool U32(std::uint32_t& value) { return Read(4, value); }
    bool S16(std::int16_t& value) {
        std::uint16_t raw = 0;
        if (!U16(raw)) {
            return false;
        }
        value = static_cast<std::int16_t>(raw);
        return true;
    }

private:
    template <typename Unsigned>
    bool Read(std::size_t size, Unsigned& value) {
        std::uint32_t wide = 0;
        if (!ReadBig(size, wide)) {
            return false;
        }
        value = static_cast<Unsigned>(wide);
        return true;
    }
};

// The big-endian number at `offset`; the caller has checked that the bytes are there.
inline std::uint16_t PeekU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

inline void AppendU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    AppendU16(out, value >> 16);
    AppendU16(out, value & 0xFFFF);
}

inline void StoreU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value >> 8);
    bytes[offset + 1] = static_cast<std::uint8_t>(value);
}

}  // namespace pclxl_render
