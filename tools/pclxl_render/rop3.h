// Ternary raster operations: bit (P·4 + S·2 + D) of the code gives the result bit, for every
// bit of each colour component of destination D, source S and paint P.
#pragma once

#include <cstdint>

namespace pclxl_render {

constexpr std::uint8_t kRopSourceCopy = 0xCC;
constexpr std::uint8_t kRopPaintCopy = 0xF0;
constexpr std::uint8_t kRopPaintOrSource = 0xFC;

constexpr std::uint8_t ApplyRop3(std::uint8_t rop, std::uint8_t d, std::uint8_t s, std::uint8_t p) {
    unsigned result = 0;
    for (unsigned index = 0; index < 8; ++index) {
        if ((rop >> index & 1) == 0) {
            continue;
        }
        const unsigned pBits = (index & 4) ? p : ~unsigned{p};
        const unsigned sBits = (index & 2) ? s : ~unsigned{s};
        const unsigned dBits = (index & 1) ? d : ~unsigned{d};
        result |= pBits & sBits & dBits;
    }
    return static_cast<std::uint8_t>(result);
}

static_assert(ApplyRop3(kRopSourceCopy, 0x12, 0x34, 0x56) == 0x34);
static_assert(ApplyRop3(kRopPaintCopy, 0x12, 0x34, 0x56) == 0x56);
static_assert(ApplyRop3(kRopPaintOrSource, 0x12, 0x34, 0x56) == (0x34 | 0x56));

}  // namespace pclxl_render
