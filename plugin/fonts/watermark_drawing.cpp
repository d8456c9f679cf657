#include "fonts/watermark_drawing.h"

#include <cmath>

#include "fonts/ansi_text.h"
#include "fonts/font_file.h"
#include "fonts/screen_font.h"
#include "fonts/soft_font_names.h"
#include "fonts/truetype_download.h"
#include "fonts/watermark_bitmaps.h"
#include "fonts/watermark_layout.h"
#include "fonts/watermark_paint.h"
#include "fonts/watermark_text.h"
#include "platform/memory.h"
#include "platform/text.h"
#include "xlstream/xl_operators.h"

namespace xlrender {
namespace {

// Larger font files go down as bitmaps of the few glyphs the text needs.
constexpr DWORD kLargestScalableFont = 1000000;
constexpr double kPi = 3.14159265358979323846;
constexpr double kPointsPerInch = 72.0;
constexpr WORD kSymbolSetScalable = 1;
constexpr WORD kSymbolSetBitmap = 2;
constexpr BYTE kClipInterior = 0;

// The device resolution: from the GDIINFO, else a positive print quality (a negative one names
// a draft-to-high preset, not dots per inch).
ULONG ResolutionOf(ULONG deviceDpi, const DEVMODEW& publicDevmode) {
    if (deviceDpi != 0) {
        return deviceDpi;
    }
    return publicDevmode.dmPrintQuality > 0 ? static_cast<ULONG>(publicDevmode.dmPrintQuality) : 0;
}

bool SameUnits(const WCHAR* left, const WCHAR* right, std::size_t units) {
    for (std::size_t i = 0; i < units; ++i) {
        if (left[i] != right[i]) {
            return false;
        }
        if (left[i] == 0) {
            return true;
        }
    }
    return true;
}

// Fonts already in the printer serve only the face, style and text they were made from; for
// another one everything goes down afresh under names of a new generation.
void KeepFontsFor(WatermarkFontState& fonts, const PrivateDevmode& devmode) {
    const bool same = SameUnits(fonts.FontFace, devmode.WatermarkFace, kFaceNameUnits - 1) &&
                      fonts.FontStyle == devmode.WatermarkStyle &&
                      SameUnits(fonts.FontText, devmode.WatermarkText, kWatermarkTextUnits);
    if (same) {
        return;
    }
    bool anyFont = fonts.WmFontDownloaded != 0;
    for (const BitmapFontEntry& entry : fonts.WmBitmapFonts) {
        anyFont = anyFont || entry.orientation != 0;
    }
    const DWORD generation = fonts.FontGeneration + (anyFont ? 1 : 0);
    ForgetWatermarkFonts(fonts);
    fonts.FontGeneration = generation;
    CopyText(fonts.FontFace, kFaceNameUnits, devmode.WatermarkFace, kFaceNameUnits - 1);
    fonts.FontStyle = devmode.WatermarkStyle;
    CopyText(fonts.FontText, kWatermarkTextUnits, devmode.WatermarkText, kWatermarkTextUnits - 1);
}

struct PreparedText {
    BYTE codes[kWatermarkTextUnits];
    char fontName[kBitmapFontNameBytes];
    WORD symbolSet;
    bool bitmap;
};

// The scalable form: the text's bytes are its character codes; the font goes down once.
bool PrepareScalable(XlStream* stream, const FontFile& font, const WatermarkText& text,
                     WatermarkFontState& fonts, WORD charCount, const char* fontName,
                     PreparedText& prepared) {
    char ansi[kAnsiTextBytes];
    if (ConvertToAnsi(text.units, text.length, ansi, sizeof ansi) !=
        static_cast<int>(text.length)) {
        return false;
    }
    for (DWORD i = 0; i < text.length; ++i) {
        prepared.codes[i] = static_cast<BYTE>(ansi[i]);
    }
    if (fonts.WmFontDownloaded == 0) {
        TrueTypeDownload download{};
        download.charCount = charCount;
        CopyText(download.fontName, sizeof download.fontName, fontName);
        if (!DownloadTrueTypeHeader(stream, font, download)) {
            return false;
        }
        BuildCodeToGlyphTable(font, download);
        DownloadTextGlyphs(stream, font, download, prepared.codes, text.length);
        fonts.WmFontDownloaded = 1;
    }
    CopyText(prepared.fontName, sizeof prepared.fontName, fontName);
    prepared.symbolSet = kSymbolSetScalable;
    return true;
}

// The bitmap form: each glyph's position in the text is its code in the font of this angle.
bool PrepareBitmaps(XlStream* stream, HDC dc, const WatermarkText& text, WatermarkFontState& fonts,
                    WORD charCount, const char* fontName, float angle, WORD orientation,
                    PreparedText& prepared) {
    bool hit = false;
    const int index = FindBitmapFont(fonts, angle, orientation, hit);
    if (index < 0 || fonts.WmBitmapFonts[index].unusable != 0) {
        return false;
    }
    fonts.WmBitmapFontHit = hit ? 1 : 0;
    fonts.WmBitmapFontIndex = static_cast<DWORD>(index);
    BuildBitmapFontName(fontName, fonts.WmBitmapFontIndex, prepared.fontName,
                        sizeof prepared.fontName);
    if (!hit && !DownloadWatermarkBitmaps(stream, dc, text, prepared.fontName, charCount,
                                          fonts.DeviceDpiY)) {
        fonts.WmBitmapFonts[index].unusable = 1;
        return false;
    }
    for (DWORD i = 0; i < text.length; ++i) {
        prepared.codes[i] = static_cast<BYTE>(i);
    }
    prepared.symbolSet = kSymbolSetBitmap;
    return true;
}

void WriteWatermark(XlStream* stream, const WatermarkRequest& request, DWORD slot,
                    const PreparedText& prepared, const MeasuredText& measured, DWORD count,
                    POINTL start, double reducedAngle, float charSize) {
    const LogicalPageSlot& page = request.sheet.Slots[slot];
    XlPushGS(stream);
    XlSetPageDefaultCTM(stream);
    XlSetCharScale(stream, 1.0f, 1.0f);
    XlSetCharBoldValue(stream, 0.0f);
    if (prepared.bitmap) {
        XlSetCharShear(stream, 0, 0);
        XlSetCharAngle(stream, 0.0f);
    }
    const RECTL clip = WatermarkClip(request.devmode, request.sheet, slot);
    XlSetClipRectangle(stream, static_cast<SHORT>(clip.left), static_cast<SHORT>(clip.top),
                       static_cast<SHORT>(clip.right), static_cast<SHORT>(clip.bottom),
                       kClipInterior);
    if (!prepared.bitmap) {
        XlSetCharShear(stream, 0, 0);
        XlSetCharAngle(stream, static_cast<FLOAT>(reducedAngle));
    }
    WriteWatermarkPaint(stream, request.devmode);
    XlSetFont(stream, reinterpret_cast<const BYTE*>(prepared.fontName),
              static_cast<WORD>(TextLength(prepared.fontName)), charSize, prepared.symbolSet);
    const double scale = PageScale(request.devmode);
    const PageBounds bounds = {page.PageX0 * scale, page.PageY0 * scale, page.PageX1 * scale,
                               page.PageY1 * scale};
    WriteWatermarkCodes(stream, prepared.codes, measured, count, start, !prepared.bitmap, bounds);
    XlSetCharShear(stream, 0, 0);
    XlSetCharAngle(stream, 0.0f);
    XlPopGS(stream);
}

}  // namespace

bool DrawWatermark(XlStream* stream, const WatermarkRequest& request, DWORD slot) {
    if (request.publicDevmode == nullptr || !SlotCanCarryWatermark(request.sheet, slot)) {
        return false;
    }
    const PrivateDevmode& devmode = request.devmode;
    WatermarkFontState& fonts = request.fonts;
    const DEVMODEW& publicDevmode = *request.publicDevmode;
    fonts.DeviceDpiY = ResolutionOf(fonts.DeviceDpiY, publicDevmode);
    WatermarkText text = ReadWatermarkText(devmode.WatermarkText, false);
    if (fonts.DeviceDpiY == 0 || text.length == 0) {
        return false;
    }
    const DWORD effective = EffectivePagesPerSheet(devmode, request.settings, &publicDevmode);
    const DWORD pages = effective == 0 ? 1 : effective;
    const float size = WatermarkFontSize(devmode, request.sheet, pages);
    const LANGID uiLanguage = GetUserDefaultUILanguage();
    const float angle = WatermarkAngleFor(devmode, request.settings, publicDevmode, request.sheet,
                                          slot, uiLanguage);
    const ScreenFontSelection font(
        WatermarkLogFont(devmode, fonts.DeviceDpiY, size, angle, GetUserDefaultLangID()));
    const DWORD fileSize = font.ok() ? FontFileSize(font.dc()) : 0;
    const OwnedBlock file(fileSize);
    if (fileSize == 0 || !file || !ReadFontFile(font.dc(), file.as(), fileSize)) {
        return false;
    }
    const FontFile fontFile = {file.as(), fileSize};
    KeepFontsFor(fonts, devmode);

    PreparedText prepared{};
    prepared.bitmap = NeedsBitmapGlyphs(text) || fileSize > kLargestScalableFont ||
                      IsFaceOfCollection(font.dc()) || !HasTrueTypeOutlines(fontFile);
    if (prepared.bitmap && IsRightToLeft(uiLanguage)) {
        // Bitmap glyphs go down the page in the order given: right-to-left text reads right
        // only reversed.
        text = ReadWatermarkText(devmode.WatermarkText, true);
    }
    const WORD orientation = request.sheet.Slots[slot].PageOrientation;
    if (prepared.bitmap) {
        MakeRoomForBitmapFont(fonts, angle, orientation);
    }
    const WORD glyphs = CountGlyphs(fontFile);
    const WORD charCount = glyphs > kCodeCount || glyphs < text.length ? kCodeCount : glyphs;
    char fontName[kSoftFontNameBytes];
    if (!BuildSoftFontName(devmode.WatermarkFace, fonts.FontGeneration, fontName,
                           sizeof fontName)) {
        return false;
    }
    const double reducedAngle = ReduceAngle(angle);
    MeasuredText measured{};
    if (!MeasureWatermarkText(font.dc(), text, reducedAngle * kPi / 180, prepared.bitmap,
                              measured)) {
        return false;
    }
    const bool ready =
        prepared.bitmap
            ? PrepareBitmaps(stream, font.dc(), text, fonts, charCount, fontName, angle,
                             orientation, prepared)
            : PrepareScalable(stream, fontFile, text, fonts, charCount, fontName, prepared);
    if (!ready) {
        return false;
    }
    const POINTL centre = PageCentre(request.sheet.Slots[slot], PageScale(devmode));
    const POINTL start = TextStart(centre, measured.extent, reducedAngle, pages);
    const float charSize =
        static_cast<float>(fonts.DeviceDpiY * static_cast<double>(size) / kPointsPerInch);
    WriteWatermark(stream, request, slot, prepared, measured, text.length, start, reducedAngle,
                   charSize);
    return true;
}

}  // namespace xlrender
