// Big-endian numbers as font headers, character records and TrueType tables store them: a reader
// that never looks past its span, and appenders for building a font in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pclxl_render {

class BigEndianReader {
public:
    explicit BigEndianReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool Has(std::size_t count) const { return count <= remaining(); }

    // Each read answers false, consuming nothing, when the bytes are not there.
    bool U8(std::uint8_t& value) { return ReadUnsigned(1, value); }
    bool U16(std::uint16_t& value) { return ReadUnsigned(2, value); }
    bool U32(std::uint32_t& value) { return ReadUnsigned(4, value); }
    bool S16(std::int16_t& value) {
        std::uint16_t raw = 0;
        if (!U16(raw)) {
            return false;
        }
        value = static_cast<std::int16_t>(raw);
        return true;
    }
    bool Take(std::size_t count, std::span<const std::uint8_t>& taken) {
        if (!Has(count)) {
            return false;
        }
        taken = bytes_.subspan(position_, count);
        position_ += count;
        return true;
    }

private:
    template <typename Unsigned>
    bool ReadUnsigned(std::size_t size, Unsigned& value) {
        if (!Has(size)) {
            return false;
        }
        Unsigned result = 0;
        for (std::size_t i = 0; i < size; ++i) {
            result = static_cast<Unsigned>((result << 8) | bytes_[position_ + i]);
        }
        value = result;
        position_ += size;
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
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
