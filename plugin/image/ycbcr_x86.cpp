// The vector levels compute exactly the reference's integer sums: the pixels are taken apart
// into 16-bit red, green and blue, each pair (red, green) and (blue, 1) is multiplied by its
// pair of weights and summed in 32 bits (pmaddwd), and the sum is shifted as the reference
// shifts it; the chroma sums leave out the centre, 128, which is added to the packed signed
// bytes by flipping their top bit. Only the way the pixels are taken apart differs between the
// levels. Each function carries its own instruction set, so the module runs on any processor of
// its architecture and the caller picks the level after asking the processor.
#include "image/ycbcr_x86.h"

#ifdef XLRENDER_X86_CONVERSION

#include <immintrin.h>

#include <array>
#include <cstddef>

#include "image/ycbcr_fixed_point.h"

#define XLRENDER_SSE2 __attribute__((target("sse2")))
#define XLRENDER_SSSE3 __attribute__((target("ssse3")))
#define XLRENDER_AVX2 __attribute__((target("avx2")))

namespace xlrender {
namespace {

using namespace ycbcr;

constexpr DWORD kPixelsPerSse = 16;  // 48 bytes in three 128-bit loads
constexpr DWORD kPixelsPerAvx = 32;  // the same per 128-bit lane
constexpr int kVectorBytes = 16;
constexpr int kChannels = 3;
constexpr int kShuffleZero = 0x80;                     // a shuffle index that gives a zero byte
constexpr char kChromaFlip = static_cast<char>(0x80);  // -128..127 as bytes + 128

// Two 16-bit weights side by side, as pmaddwd pairs them with (first, second) words.
constexpr int WeightPair(int first, int second) {
    return static_cast<int>((static_cast<unsigned>(second) << 16) |
                            (static_cast<unsigned>(first) & 0xFFFFu));
}

// pmaddwd multiplies signed 16-bit words.
constexpr bool FitsWord(int value) {
    return value >= -0x8000 && value <= 0x7FFF;
}
static_assert(FitsWord(kYRed) && FitsWord(kYGreen) && FitsWord(kYBlue) && FitsWord(kHalf));
static_assert(FitsWord(kCbRed) && FitsWord(kCbGreen) && FitsWord(kCbBlue));
static_assert(FitsWord(kCrRed) && FitsWord(kCrGreen) && FitsWord(kCrBlue) &&
              FitsWord(kChromaRounding));

struct ChannelWeights {
    int redGreen;
    int blueRounding;
};

constexpr ChannelWeights kLuma{WeightPair(kYRed, kYGreen), WeightPair(kYBlue, kHalf)};
constexpr ChannelWeights kBlueChroma{WeightPair(kCbRed, kCbGreen),
                                     WeightPair(kCbBlue, kChromaRounding)};
constexpr ChannelWeights kRedChroma{WeightPair(kCrRed, kCrGreen),
                                    WeightPair(kCrBlue, kChromaRounding)};

// For pshufb: the bytes of `channel` (blue 0, green 1, red 2) of 16 pixels that lie in the
// `part`-th of the three 16-byte loads, at the pixels' places; zero elsewhere.
using ShuffleMask = std::array<char, kVectorBytes>;

constexpr ShuffleMask ChannelMask(int channel, int part) {
    ShuffleMask mask{};
    for (int pixel = 0; pixel < kVectorBytes; ++pixel) {
        const int byte = kBytesPerPixel * pixel + channel - kVectorBytes * part;
        mask[pixel] = static_cast<char>(byte >= 0 && byte < kVectorBytes ? byte : kShuffleZero);
    }
    return mask;
}

constexpr std::array<std::array<ShuffleMask, kChannels>, kChannels> MakeChannelMasks() {
    std::array<std::array<ShuffleMask, kChannels>, kChannels> masks{};
    for (int channel = 0; channel < kChannels; ++channel) {
        for (int part = 0; part < kChannels; ++part) {
            masks[channel][part] = ChannelMask(channel, part);
        }
    }
    return masks;
}

constexpr auto kChannelMasks = MakeChannelMasks();

// ---- 128 bits: 16 pixels a step ----

struct Planes128 {
    __m128i blue;
    __m128i green;
    __m128i red;
};

XLRENDER_SSE2 inline __m128i Load128(const BYTE* bytes) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
}

// One perfect shuffle of the 48 bytes: byte j moves to place 2j mod 47. Four of them move
// byte 3 * pixel + channel to 16 * channel + pixel, since 16 * 3 = 48 = 1 (mod 47).
XLRENDER_SSE2 inline void PerfectShuffle(Planes128& p) {
    const __m128i first = _mm_unpacklo_epi8(p.blue, _mm_srli_si128(p.green, 8));
    const __m128i second = _mm_unpackhi_epi8(p.blue, _mm_slli_si128(p.red, 8));
    const __m128i third = _mm_unpacklo_epi8(p.green, _mm_srli_si128(p.red, 8));
    p = {first, second, third};
}

XLRENDER_SSE2 inline Planes128 SplitSse2(const BYTE* pixels) {
    Planes128 p{Load128(pixels), Load128(pixels + kVectorBytes),
                Load128(pixels + 2 * kVectorBytes)};
    for (int round = 0; round < 4; ++round) {
        PerfectShuffle(p);
    }
    return p;
}

XLRENDER_SSSE3 inline __m128i Gather128(const __m128i parts[kChannels], int channel) {
    __m128i gathered = _mm_setzero_si128();
    for (int part = 0; part < kChannels; ++part) {
        const __m128i mask =
            Load128(reinterpret_cast<const BYTE*>(kChannelMasks[channel][part].data()));
        gathered = _mm_or_si128(gathered, _mm_shuffle_epi8(parts[part], mask));
    }
    return gathered;
}

XLRENDER_SSSE3 inline Planes128 SplitSsse3(const BYTE* pixels) {
    const __m128i parts[kChannels] = {Load128(pixels), Load128(pixels + kVectorBytes),
                                      Load128(pixels + 2 * kVectorBytes)};
    return {Gather128(parts, kBlueByte), Gather128(parts, kGreenByte), Gather128(parts, kRedByte)};
}

// Eight pixels as the (red, green) and (blue, 1) word pairs of their lower and upper four.
struct Pairs128 {
    __m128i redGreenLow;
    __m128i redGreenHigh;
    __m128i blueOneLow;
    __m128i blueOneHigh;
};

XLRENDER_SSE2 inline Pairs128 PairsOf(__m128i red, __m128i green, __m128i blue) {
    const __m128i one = _mm_set1_epi16(1);
    return {_mm_unpacklo_epi16(red, green), _mm_unpackhi_epi16(red, green),
            _mm_unpacklo_epi16(blue, one), _mm_unpackhi_epi16(blue, one)};
}

// The channel's eight shifted sums as signed words.
XLRENDER_SSE2 inline __m128i Channel128(const Pairs128& p, ChannelWeights weights) {
    const __m128i redGreen = _mm_set1_epi32(weights.redGreen);
    const __m128i blueRounding = _mm_set1_epi32(weights.blueRounding);
    const __m128i low = _mm_add_epi32(_mm_madd_epi16(p.redGreenLow, redGreen),
                                      _mm_madd_epi16(p.blueOneLow, blueRounding));
    const __m128i high = _mm_add_epi32(_mm_madd_epi16(p.redGreenHigh, redGreen),
                                       _mm_madd_epi16(p.blueOneHigh, blueRounding));
    return _mm_packs_epi32(_mm_srai_epi32(low, kFractionBits), _mm_srai_epi32(high, kFractionBits));
}

XLRENDER_SSE2 inline void Store128(BYTE* bytes, __m128i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), value);
}

XLRENDER_SSE2 inline void ConvertPlanes128(const Planes128& p, PlaneRows out, DWORD x) {
    const __m128i zero = _mm_setzero_si128();
    const Pairs128 low = PairsOf(_mm_unpacklo_epi8(p.red, zero), _mm_unpacklo_epi8(p.green, zero),
                                 _mm_unpacklo_epi8(p.blue, zero));
    const Pairs128 high = PairsOf(_mm_unpackhi_epi8(p.red, zero), _mm_unpackhi_epi8(p.green, zero),
                                  _mm_unpackhi_epi8(p.blue, zero));
    const __m128i flip = _mm_set1_epi8(kChromaFlip);
    Store128(out.y + x, _mm_packus_epi16(Channel128(low, kLuma), Channel128(high, kLuma)));
    Store128(out.cb + x, _mm_xor_si128(_mm_packs_epi16(Channel128(low, kBlueChroma),
                                                       Channel128(high, kBlueChroma)),
                                       flip));
    Store128(out.cr + x,
             _mm_xor_si128(
                 _mm_packs_epi16(Channel128(low, kRedChroma), Channel128(high, kRedChroma)), flip));
}

// ---- 256 bits: 32 pixels a step, 16 in each 128-bit lane ----

struct Planes256 {
    __m256i blue;
    __m256i green;
    __m256i red;
};

struct Pairs256 {
    __m256i redGreenLow;
    __m256i redGreenHigh;
    __m256i blueOneLow;
    __m256i blueOneHigh;
};

// Bytes at `lower` in the lower lane and 48 bytes further on in the upper one.
XLRENDER_AVX2 inline __m256i LoadLanes(const BYTE* lower) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(Load128(lower)),
                                   Load128(lower + kBytesPerPixel * kPixelsPerSse), 1);
}

XLRENDER_AVX2 inline __m256i Gather256(const __m256i parts[kChannels], int channel) {
    __m256i gathered = _mm256_setzero_si256();
    for (int part = 0; part < kChannels; ++part) {
        const __m256i mask = _mm256_broadcastsi128_si256(
            Load128(reinterpret_cast<const BYTE*>(kChannelMasks[channel][part].data())));
        gathered = _mm256_or_si256(gathered, _mm256_shuffle_epi8(parts[part], mask));
    }
    return gathered;
}

XLRENDER_AVX2 inline Planes256 SplitAvx2(const BYTE* pixels) {
    const __m256i parts[kChannels] = {LoadLanes(pixels), LoadLanes(pixels + kVectorBytes),
                                      LoadLanes(pixels + 2 * kVectorBytes)};
    return {Gather256(parts, kBlueByte), Gather256(parts, kGreenByte), Gather256(parts, kRedByte)};
}

XLRENDER_AVX2 inline Pairs256 PairsOf(__m256i red, __m256i green, __m256i blue) {
    const __m256i one = _mm256_set1_epi16(1);
    return {_mm256_unpacklo_epi16(red, green), _mm256_unpackhi_epi16(red, green),
            _mm256_unpacklo_epi16(blue, one), _mm256_unpackhi_epi16(blue, one)};
}

XLRENDER_AVX2 inline __m256i Channel256(const Pairs256& p, ChannelWeights weights) {
    const __m256i redGreen = _mm256_set1_epi32(weights.redGreen);
    const __m256i blueRounding = _mm256_set1_epi32(weights.blueRounding);
    const __m256i low = _mm256_add_epi32(_mm256_madd_epi16(p.redGreenLow, redGreen),
                                         _mm256_madd_epi16(p.blueOneLow, blueRounding));
    const __m256i high = _mm256_add_epi32(_mm256_madd_epi16(p.redGreenHigh, redGreen),
                                          _mm256_madd_epi16(p.blueOneHigh, blueRounding));
    return _mm256_packs_epi32(_mm256_srai_epi32(low, kFractionBits),
                              _mm256_srai_epi32(high, kFractionBits));
}

XLRENDER_AVX2 inline void Store256(BYTE* bytes, __m256i value) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes), value);
}

// Every unpack and pack works within a lane, so the packs put the lanes' pixels back in order.
XLRENDER_AVX2 inline void ConvertPlanes256(const Planes256& p, PlaneRows out, DWORD x) {
    const __m256i zero = _mm256_setzero_si256();
    const Pairs256 low =
        PairsOf(_mm256_unpacklo_epi8(p.red, zero), _mm256_unpacklo_epi8(p.green, zero),
                _mm256_unpacklo_epi8(p.blue, zero));
    const Pairs256 high =
        PairsOf(_mm256_unpackhi_epi8(p.red, zero), _mm256_unpackhi_epi8(p.green, zero),
                _mm256_unpackhi_epi8(p.blue, zero));
    const __m256i flip = _mm256_set1_epi8(kChromaFlip);
    Store256(out.y + x, _mm256_packus_epi16(Channel256(low, kLuma), Channel256(high, kLuma)));
    Store256(out.cb + x, _mm256_xor_si256(_mm256_packs_epi16(Channel256(low, kBlueChroma),
                                                             Channel256(high, kBlueChroma)),
                                          flip));
    Store256(out.cr + x, _mm256_xor_si256(_mm256_packs_epi16(Channel256(low, kRedChroma),
                                                             Channel256(high, kRedChroma)),
                                          flip));
}

const BYTE* PixelAt(const BYTE* pixels, DWORD x) {
    return pixels + kBytesPerPixel * static_cast<std::size_t>(x);
}

}  // namespace

XLRENDER_SSE2 DWORD ConvertRowSse2(const BYTE* pixels, DWORD width, PlaneRows out) {
    DWORD x = 0;
    for (; width - x >= kPixelsPerSse; x += kPixelsPerSse) {
        ConvertPlanes128(SplitSse2(PixelAt(pixels, x)), out, x);
    }
    return x;
}

XLRENDER_SSSE3 DWORD ConvertRowSsse3(const BYTE* pixels, DWORD width, PlaneRows out) {
    DWORD x = 0;
    for (; width - x >= kPixelsPerSse; x += kPixelsPerSse) {
        ConvertPlanes128(SplitSsse3(PixelAt(pixels, x)), out, x);
    }
    return x;
}

XLRENDER_AVX2 DWORD ConvertRowAvx2(const BYTE* pixels, DWORD width, PlaneRows out) {
    DWORD x = 0;
    for (; width - x >= kPixelsPerAvx; x += kPixelsPerAvx) {
        ConvertPlanes256(SplitAvx2(PixelAt(pixels, x)), out, x);
    }
    return x;
}

}  // namespace xlrender

#endif
