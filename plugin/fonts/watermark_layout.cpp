#include "fonts/watermark_layout.h"

#include <algorithm>
#include <cmath>

namespace xlrender {
namespace {

constexpr double kDegreesPerRadian = 57.295776;
constexpr double kPi = 3.14159265358979323846;
constexpr double kFullTurn = 360.0;
constexpr double kPointsPerInch = 72.0;
constexpr LONG kMaxPixelHeight = 32767;
// Percentages are divided by 100 rather than multiplied by 0.01: 100% must give exactly 1, which
// "unscaled" is tested by, and 100 * 0.01 is 1 only when rounded to double (the x87 unit of
// 32-bit Windows keeps it a little above 1).
constexpr double kPercentOfWhole = 100.0;
constexpr LONG kWholeScale = 100;
constexpr double kHalfSheetShare = 0.085;  // 2-up and 6-up
constexpr double kGridShare = 0.04;        // 4-, 9- and 16-up
constexpr WORD kLanguageMask = 0x3FF;
constexpr WORD kLanguageArabic = 0x01;
constexpr WORD kLanguageHebrew = 0x0D;
constexpr WORD kLanguageJapanese = 0x11;
constexpr WORD kLanguageThai = 0x1E;
constexpr BYTE kPitchAndFamily = 23;
constexpr LONG kStyleBold = 1;
constexpr LONG kStyleItalic = 2;
constexpr LONG kStyleBoldItalic = 3;

bool IsHalfSheet(DWORD pages) {
    return pages == 2 || pages == 6;
}

// Pages per sheet as the angle sees them: like the effective count, but 0 counts as 1.
DWORD AnglePages(const PrivateDevmode& devmode, const JobSettings& settings,
                 const DEVMODEW& publicDevmode) {
    const DWORD pages = EffectivePagesPerSheet(devmode, settings, &publicDevmode);
    return pages == 0 ? 1 : pages;
}

double FixedModeAngle(double e, WORD s, SHORT p, SHORT m, DWORD pages) {
    const bool half = IsHalfSheet(pages);
    if (s != m) {
        if (m == DMORIENT_PORTRAIT) {
            return pages == 1 || p != DMORIENT_PORTRAIT ? e : e + 90;
        }
        return pages == 1 || p == DMORIENT_PORTRAIT ? e : e - 90;
    }
    if (m == DMORIENT_PORTRAIT) {
        return p == DMORIENT_PORTRAIT ? e : e + 270;
    }
    if (p == s) {
        return e;
    }
    return p == DMORIENT_PORTRAIT && half ? e - 90 : e + 270;
}

LONG Truncated(double value) {
    if (!(value > -2147483648.0)) {
        return value != value ? 0 : LONG{-2147483647 - 1};
    }
    return value < 2147483647.0 ? static_cast<LONG>(value) : LONG{2147483647};
}

}  // namespace

bool IsRightToLeft(LANGID language) {
    const WORD primary = language & kLanguageMask;
    return primary == kLanguageArabic || primary == kLanguageHebrew;
}

bool SlotCanCarryWatermark(const PageWatermarkState& sheet, DWORD slot) {
    if (slot >= kMaxPagesPerSheet || sheet.SheetX1 <= 0 || sheet.SheetY1 <= 0) {
        return false;
    }
    const LogicalPageSlot& page = sheet.Slots[slot];
    return page.PageOrientation != 0 && page.PageX1 > page.PageX0 && page.PageY1 > page.PageY0;
}

double PageScale(const PrivateDevmode& devmode) {
    if (devmode.ResizeToPaper != 0 && devmode.UseFitScale != 0) {
        return 1.0;
    }
    const LONG percent = static_cast<LONG>(devmode.ScalePercent);
    return (percent > 0 ? percent : kWholeScale) / kPercentOfWhole;
}

float WatermarkFontSize(const PrivateDevmode& devmode, const PageWatermarkState& sheet,
                        DWORD pages) {
    double fit = 1.0;
    if (devmode.ResizeToPaper != 0 && devmode.UseFitScale != 0) {
        fit = (devmode.FitScalePercent > 0 ? devmode.FitScalePercent : kWholeScale) /
              kPercentOfWhole;
    }
    const double scale = PageScale(devmode);
    double size = devmode.WatermarkSize;
    if (pages != 1 && sheet.SheetX1 > 0 && sheet.SheetY1 > 0) {
        const double share = IsHalfSheet(pages) ? kHalfSheetShare : kGridShare;
        const double root = std::sqrt(static_cast<double>(pages));
        const double x0 = sheet.SheetX0;
        const double y0 = sheet.SheetY0;
        const double x1 = sheet.SheetX1;
        const double y1 = sheet.SheetY1;
        size *= 0.5 * (((x1 - x0) + x0 / root) / x1 - share + ((y1 - y0) + y0 / root) / y1 - share);
    }
    size *= scale * fit;
    if (!(size >= kMinWatermarkPoints)) {  // NaN included
        return kMinWatermarkPoints;
    }
    return static_cast<float>(std::min<double>(size, kMaxWatermarkPoints));
}

float WatermarkAngleFor(const PrivateDevmode& devmode, const JobSettings& settings,
                        const DEVMODEW& publicDevmode, const PageWatermarkState& sheet, DWORD slot,
                        LANGID uiLanguage) {
    const LONG mode = devmode.WatermarkAngleMode;
    double e = mode != 0 ? devmode.WatermarkAngle
                         : std::atan2(static_cast<double>(sheet.SheetY1),
                                      static_cast<double>(sheet.SheetX1)) *
                               kDegreesPerRadian;
    if (IsRightToLeft(uiLanguage) && (mode == 0 || mode == 2)) {
        e = kFullTurn - e;
    }
    const DWORD pages = AnglePages(devmode, settings, publicDevmode);
    if (IsHalfSheet(pages) && sheet.NupRotated != 0) {
        e += 90;
    }
    const WORD s = slot < kMaxPagesPerSheet ? sheet.Slots[slot].PageOrientation : 0;
    const SHORT p = publicDevmode.dmOrientation;
    if (mode == 0) {
        if (s == p || pages == 1) {
            return static_cast<float>(e);
        }
        if (s == DMORIENT_PORTRAIT) {
            return static_cast<float>(IsHalfSheet(pages) ? 180 - e : -e);
        }
        return static_cast<float>(IsHalfSheet(pages) ? kFullTurn - e : -e - 180);
    }
    return static_cast<float>(FixedModeAngle(e, s, p, devmode.Orientation, pages));
}

double ReduceAngle(double degrees) {
    if (!std::isfinite(degrees)) {
        return 0.0;
    }
    if (degrees > kFullTurn) {
        // What subtracting whole turns while above 360 leaves: (0, 360].
        const double rest = std::fmod(degrees, kFullTurn);
        return rest == 0.0 ? kFullTurn : rest;
    }
    return degrees;
}

LOGFONTW WatermarkLogFont(const PrivateDevmode& devmode, ULONG dpi, float size, float angle,
                          LANGID userLanguage) {
    LOGFONTW font{};
    const LONG pixels = Truncated(std::trunc(static_cast<double>(dpi) * size) / kPointsPerInch);
    font.lfHeight = -std::clamp<LONG>(pixels, 1, kMaxPixelHeight);
    // Whole degrees in tenths; whole turns taken out first so no angle overflows.
    const double whole = std::isfinite(angle) ? std::trunc(static_cast<double>(angle)) : 0.0;
    font.lfEscapement = static_cast<LONG>(std::fmod(whole, kFullTurn)) * 10;
    font.lfOrientation = font.lfEscapement;
    const LONG style = devmode.WatermarkStyle;
    font.lfWeight = style == kStyleBold || style == kStyleBoldItalic ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style == kStyleItalic || style == kStyleBoldItalic ? 1 : 0;
    const WORD primary = userLanguage & kLanguageMask;
    font.lfCharSet = primary == kLanguageThai       ? THAI_CHARSET
                     : primary == kLanguageJapanese ? SHIFTJIS_CHARSET
                                                    : DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfPitchAndFamily = kPitchAndFamily;
    for (int i = 0; i < LF_FACESIZE - 1 && devmode.WatermarkFace[i] != 0; ++i) {
        font.lfFaceName[i] = devmode.WatermarkFace[i];
    }
    return font;
}

POINTL PageCentre(const LogicalPageSlot& page, double scale) {
    if (scale != 1.0) {
        return {
            Truncated(page.PageX0 + Truncated(page.PageX1 * scale - page.PageX0 * scale) / 2.0),
            Truncated(page.PageY0 + Truncated(page.PageY1 * scale - page.PageY0 * scale) / 2.0)};
    }
    return {Truncated(page.PageX0 + (static_cast<double>(page.PageX1) - page.PageX0) / 2),
            Truncated(page.PageY0 + (static_cast<double>(page.PageY1) - page.PageY0) / 2)};
}

POINTL TextStart(POINTL centre, SIZE extent, double reducedAngle, DWORD pages) {
    const LONG hw = extent.cx / 2;
    const LONG hh = extent.cy / 2;
    const double radius = std::hypot(static_cast<double>(hw), static_cast<double>(hh));
    const double alpha = hw == 0 ? 0.0 : std::atan(static_cast<double>(hh) / hw);
    double cosineDivisor = 2;
    double sineDivisor = 2;
    if (reducedAngle == 0.0) {
        cosineDivisor = 1;
    } else if (pages == 1) {
        sineDivisor = 6;
    }
    const double theta = reducedAngle * kPi / 180;
    return {Truncated(centre.x - std::trunc(radius * std::cos(theta + alpha / cosineDivisor))),
            Truncated(centre.y + std::trunc(radius * std::sin(theta + alpha / sineDivisor)))};
}

CharStep CharAdvance(int length, double theta) {
    const double along = static_cast<SHORT>(length);  // widths travel as 16-bit values
    return {ClampToShort(std::trunc(along * std::cos(theta))),
            ClampToShort(-std::trunc(along * std::sin(theta)))};
}

RECTL WatermarkClip(const PrivateDevmode& devmode, const PageWatermarkState& sheet, DWORD slot) {
    const LogicalPageSlot& page = sheet.Slots[slot];
    const double scale = PageScale(devmode);
    const double hx = std::trunc((static_cast<double>(sheet.SheetX1) - sheet.SheetX0) / 2);
    const double hy = std::trunc((static_cast<double>(sheet.SheetY1) - sheet.SheetY0) / 2);
    double x1, y1, x2, y2;
    if (scale != 1.0) {
        x1 = std::trunc(page.PageX0 * scale);
        y1 = std::trunc(page.PageY0 * scale);
        x2 = std::trunc(page.PageX1 * scale);
        y2 = std::trunc(page.PageY1 * scale);
    } else if (devmode.ResizeToPaper != 0 && devmode.SimplexSingleLayout == 0) {
        x1 = hx;
        y1 = hy;
        x2 = sheet.SheetX0;
        y2 = sheet.SheetY0;
    } else {
        // The slots count from the printable area's corner; the clip is on the paper.
        x1 = page.PageX0 + hx;
        y1 = page.PageY0 + 2 * hy;
        x2 = page.PageX1 + hx;
        y2 = page.PageY1 - hy;
    }
    return {ClampToShort(std::min(x1, x2)), ClampToShort(std::min(y1, y2)),
            ClampToShort(std::max(x1, x2)), ClampToShort(std::max(y1, y2))};
}

SHORT ClampToShort(double value) {
    if (value != value) {
        return 0;
    }
    return static_cast<SHORT>(std::clamp(std::trunc(value), -32768.0, 32767.0));
}

}  // namespace xlrender
