// The watermark text: read from the settings, measured with the screen font, and written as
// PCL XL text along its angle.
#pragma once

#include "fonts/watermark_font_state.h"
#include "fonts/watermark_layout.h"
#include "platform/win32_api.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

struct WatermarkText {
    WCHAR units[kWatermarkTextUnits + 1];
    DWORD length;
};

// The text, read within its 256 units; reversed for a right-to-left user interface when
// `reverse` (the devmode keeps the user's order).
WatermarkText ReadWatermarkText(const WCHAR* text, bool reverse);

bool NeedsBitmapGlyphs(const WatermarkText& text);

struct MeasuredText {
    CharStep advance[kWatermarkTextUnits];
    CharStep height[kWatermarkTextUnits];  // bitmap form only; zero otherwise
    SIZE extent;
};

// Widths (and, with `heights`, each character's own extent) along `theta`; false when a query
// fails.
bool MeasureWatermarkText(HDC dc, const WatermarkText& text, double theta, bool heights,
                          MeasuredText& measured);

// The page rectangle characters must touch to be drawn one by one.
struct PageBounds {
    double x0, y0, x1, y1;
};

// Writes the text from `start`: one Text operator for all codes when the start fits 16 bits and
// `together`, otherwise one per character whose cell touches `page`.
void WriteWatermarkCodes(XlStream* stream, const BYTE* codes, const MeasuredText& measured,
                         DWORD count, POINTL start, bool together, const PageBounds& page);

}  // namespace xlrender
