#include "fonts/watermark_text.h"

#include <algorithm>
#include <cstdlib>

#include "platform/text.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

constexpr WCHAR kFirstNonAscii = 0x80;
constexpr LONG kShortLimit = 32767;

bool Touches(const PageBounds& page, double x, double y) {
    return page.x0 <= x && x <= page.x1 && page.y0 <= y && y <= page.y1;
}

bool CellTouches(const PageBounds& page, double x, double y, CharStep advance, CharStep height) {
    return Touches(page, x, y) || Touches(page, x + height.dx, y + height.dy) ||
           Touches(page, x + height.dx + advance.dx, y + height.dy + advance.dy) ||
           Touches(page, x + advance.dx, y + advance.dy);
}

}  // namespace

WatermarkText ReadWatermarkText(const WCHAR* text, bool reverse) {
    WatermarkText result{};
    result.length = static_cast<DWORD>(TextLength(text, kWatermarkTextUnits));
    std::copy(text, text + result.length, result.units);
    if (reverse) {
        std::reverse(result.units, result.units + result.length);
    }
    return result;
}

bool NeedsBitmapGlyphs(const WatermarkText& text) {
    return std::any_of(text.units, text.units + text.length,
                       [](WCHAR unit) { return unit >= kFirstNonAscii; });
}

bool MeasureWatermarkText(HDC dc, const WatermarkText& text, double theta, bool heights,
                          MeasuredText& measured) {
    for (DWORD i = 0; i < text.length; ++i) {
        INT width = 0;
        if (!GetCharWidth32W(dc, text.units[i], text.units[i], &width)) {
            return false;
        }
        measured.advance[i] = CharAdvance(width, theta);
        measured.height[i] = {};
        if (heights) {
            SIZE single{};
            if (!GetTextExtentPoint32W(dc, &text.units[i], 1, &single)) {
                return false;
            }
            measured.height[i] = CharAdvance(single.cy, theta);
        }
    }
    return GetTextExtentPoint32W(dc, text.units, static_cast<int>(text.length), &measured.extent) !=
           FALSE;
}

void WriteWatermarkCodes(XlStream* stream, const BYTE* codes, const MeasuredText& measured,
                         DWORD count, POINTL start, bool together, const PageBounds& page) {
    // The start follows the application's sheet layout and may be any 32-bit value: its
    // magnitude is taken in 64 bits, where -2^31 has one.
    if (together && std::abs(LONGLONG{start.x}) <= kShortLimit &&
        std::abs(LONGLONG{start.y}) <= kShortLimit) {
        SHORT xs[kWatermarkTextUnits];
        SHORT ys[kWatermarkTextUnits];
        for (DWORD i = 0; i < count; ++i) {
            xs[i] = measured.advance[i].dx;
            ys[i] = measured.advance[i].dy;
        }
        XlSetCursor(stream, static_cast<SHORT>(start.x), static_cast<SHORT>(start.y));
        XlTextXY(stream, codes, static_cast<WORD>(count), xs, count, ys, count);
        return;
    }
    LONGLONG x = start.x;
    LONGLONG y = start.y;
    for (DWORD i = 0; i < count; ++i) {
        const CharStep advance = measured.advance[i];
        if (CellTouches(page, static_cast<double>(x), static_cast<double>(y), advance,
                        measured.height[i])) {
            if (x <= kShortLimit && y <= kShortLimit) {
                XlSetCursor(stream, ClampToShort(static_cast<double>(x)),
                            ClampToShort(static_cast<double>(y)));
            }
            XlText(stream, &codes[i], 1, &advance.dx, 1);
        }
        x += advance.dx;
        y += advance.dy;
    }
}

}  // namespace xlrender
