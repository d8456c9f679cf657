#include "fonts/watermark_paint.h"

#include "xlstream/xl_encoders.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

constexpr int kShadeCount = 9;
constexpr int kPatternRows = 16;
constexpr int kPatternRowBytes = 4;  // 16 pixels and two padding bytes
constexpr LONG kDefaultShade = 1;
constexpr int kColourCount = 7;
constexpr BYTE kTransparent = 1;
constexpr BYTE kGray = 1;
constexpr BYTE kRgb = 2;
constexpr BYTE kEightBit = 2;
constexpr BYTE kIndexedPixel = 1;
constexpr BYTE kOneBit = 0;
constexpr WORD kPatternPixels = 16;
constexpr SHORT kPatternId = 1;
constexpr BYTE kTemporaryPattern = 0;
constexpr BYTE kNoCompression = 0;
constexpr BYTE kRopSourceOrPattern = 252;
constexpr DWORD kColourMonochrome = 1;

// A 1 bit paints white, a 0 bit the colour: shade 0 is the lightest, 8 solid.
constexpr WORD kShades[kShadeCount][kPatternRows] = {
    {0xFBFB, 0xFFFF, 0xFFFF, 0x9F9F, 0x9F9F, 0xFFFF, 0xFFFF, 0xF9F9, 0xFBFB, 0xFFFF, 0xFFFF, 0x9F9F,
     0x9F9F, 0xFFFF, 0xFFFF, 0xF9F9},
    {0xF9F9, 0xFFFF, 0xFFFF, 0x9F9F, 0x9F9F, 0xBFFF, 0xFFFF, 0xF9F9, 0xF9F9, 0xFFFF, 0xFFFF, 0x9F9F,
     0x9F9F, 0xBFBF, 0xFFFF, 0xF9F9},
    {0xF1F1, 0xF9F9, 0xBFFF, 0x1F1F, 0x1F1F, 0x9F9F, 0xFFFF, 0xF1F1, 0xF1F1, 0xF9F9, 0xFFBF, 0x1F1F,
     0x1F1F, 0x9F9F, 0xFFFF, 0xF1F1},
    {0xF0F0, 0xF9F1, 0x9F9F, 0x0F0F, 0x0F0F, 0x1F1F, 0xF9F9, 0xF0F0, 0xF0F0, 0xF1F1, 0x9F9F, 0x0F0F,
     0x0F0F, 0x1F1F, 0xF9F9, 0xF0F0},
    {0xF0F0, 0xE0E0, 0x0E0F, 0x0F0F, 0x0F0F, 0x0E0E, 0xF0F0, 0xF0F0, 0xF0F0, 0xE0E0, 0x0F0F, 0x0F0F,
     0x0F0F, 0x0E0E, 0xF0F0, 0xF0F0},
    {0xF0F0, 0x6060, 0x0606, 0x0E0E, 0x0F0F, 0x0606, 0x6060, 0xE0F0, 0xF0F0, 0x6060, 0x0606, 0x0E0E,
     0x0F0F, 0x0606, 0x6060, 0xF0F0},
    {0xE0E0, 0x6060, 0x0000, 0x060E, 0x0E0E, 0x0606, 0x0000, 0xE0E0, 0xE0E0, 0x6060, 0x0000, 0x0E06,
     0x0E0E, 0x0606, 0x0000, 0xE0E0},
    {0x6060, 0x0000, 0x0000, 0x0606, 0x0406, 0x0000, 0x0000, 0x6060, 0x6060, 0x0000, 0x0000, 0x0606,
     0x0404, 0x0000, 0x0000, 0x6060},
    {},
};

constexpr BYTE kColours[kColourCount][3] = {
    {0x00, 0x00, 0x00}, {0xFF, 0x00, 0x00}, {0xFF, 0xFF, 0x00}, {0x00, 0xFF, 0x00},
    {0x00, 0xFF, 0xFF}, {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF},
};

void WritePalette(XlStream* stream, const PrivateDevmode& devmode) {
    if (devmode.ColorMode == kColourMonochrome || devmode.Grayscale == 1) {
        const BYTE gray[] = {0x00, 0xFF};
        XlSetColorSpacePalette(stream, kGray, kEightBit, gray, sizeof gray);
        return;
    }
    const LONG index = devmode.WatermarkColor;
    const BYTE* colour = kColours[index >= 0 && index < kColourCount ? index : 0];
    const BYTE palette[] = {colour[0], colour[1], colour[2], 0xFF, 0xFF, 0xFF};
    XlSetColorSpacePalette(stream, kRgb, kEightBit, palette, sizeof palette);
}

void WriteShadePattern(XlStream* stream, LONG shade) {
    const WORD* rows = kShades[shade >= 0 && shade < kShadeCount ? shade : kDefaultShade];
    BYTE pattern[kPatternRows * kPatternRowBytes] = {};
    for (int row = 0; row < kPatternRows; ++row) {
        pattern[row * kPatternRowBytes] = static_cast<BYTE>(rows[row] >> 8);
        pattern[row * kPatternRowBytes + 1] = static_cast<BYTE>(rows[row]);
    }
    XlBeginRastPattern(stream, kIndexedPixel, kOneBit, kPatternPixels, kPatternPixels,
                       kPatternPixels, kPatternPixels, kPatternId, kTemporaryPattern);
    XlReadRastPattern(stream, 0, kPatternRows, kNoCompression);
    XlPutEmbeddedData(stream, pattern, sizeof pattern);
    XlEndRastPattern(stream);
}

}  // namespace

void WriteWatermarkPaint(XlStream* stream, const PrivateDevmode& devmode) {
    XlSetPaintTxMode(stream, kTransparent);
    XlSetSourceTxMode(stream, kTransparent);
    WritePalette(stream, devmode);
    XlSetCursor(stream, 0, 0);
    WriteShadePattern(stream, devmode.WatermarkShade);
    XlSetBrushPattern(stream, kPatternId);
    XlSetPaintTxMode(stream, kTransparent);
    XlSetSourceTxMode(stream, kTransparent);
    XlSetROP(stream, kRopSourceOrPattern);
}

}  // namespace xlrender
