// The conversion's coefficients: each channel's weight in 12-bit fixed point, and the rounding
// added before the shift. Shared by the scalar reference and the vector levels.
#pragma once

namespace xlrender::ycbcr {

constexpr int kFractionBits = 12;
constexpr int kHalf = 1 << (kFractionBits - 1);
// Chroma rounds just below one half, so that 255 stays 255; it is centred on 128 after the
// shift (the same as adding 128 << kFractionBits before it, the sums being exact).
constexpr int kChromaRounding = kHalf - 1;
constexpr int kChromaCentre = 128;

constexpr int kYRed = 1225;
constexpr int kYGreen = 2404;
constexpr int kYBlue = 467;
constexpr int kCbRed = -691;
constexpr int kCbGreen = -1357;
constexpr int kCbBlue = 2048;
constexpr int kCrRed = 2048;
constexpr int kCrGreen = -1715;
constexpr int kCrBlue = -333;

// Bytes of one pixel in memory: blue, green, red.
constexpr int kBytesPerPixel = 3;
constexpr int kBlueByte = 0;
constexpr int kGreenByte = 1;
constexpr int kRedByte = 2;

}  // namespace xlrender::ycbcr
