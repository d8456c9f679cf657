// ReadDeviceFeatures: page geometry, margins, duplex and device features, and what GDI is told
// about the page and its colours.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "settings/job_settings.h"
#include "settings/keyword_tables.h"

namespace xlrender {
namespace {

// GDI sees a border of one sixth of an inch (200/1200) when margins are emulated.
constexpr LONGLONG kEmulatedBorderNumerator = 200;
constexpr LONGLONG kEmulatedBorderDenominator = 1200;
constexpr ULONG kRaisedColorCount = 256;
constexpr ULONG kGraySurfaceBitsPerPixel = 8;

void CaptureGeometry(const GDIINFO& gdi, JobSettings& settings) {
    settings.MarginX = static_cast<DWORD>(gdi.ptlPhysOffset.x);
    settings.MarginY = static_cast<DWORD>(gdi.ptlPhysOffset.y);
    settings.PrintableWidth = gdi.ulHorzRes;
    settings.PrintableHeight = gdi.ulVertRes;
}

// Symmetric margins, each the larger of the two Unidrv reported on its axis, and a GDI page with
// a fixed border. Signed throughout: a GDIINFO whose offset and printable size exceed the page
// gives a negative margin, which counts as none. Nothing changes when a printable size would not
// be positive.
void EmulateMargins(GDIINFO& gdi, JobSettings& settings) {
    const LONGLONG width = gdi.szlPhysSize.cx;
    const LONGLONG height = gdi.szlPhysSize.cy;
    const LONGLONG right = width - static_cast<LONGLONG>(gdi.ulHorzRes) - gdi.ptlPhysOffset.x;
    const LONGLONG bottom = height - static_cast<LONGLONG>(gdi.ulVertRes) - gdi.ptlPhysOffset.y;
    const LONGLONG marginX = std::max<LONGLONG>({gdi.ptlPhysOffset.x, right, 0});
    const LONGLONG marginY = std::max<LONGLONG>({gdi.ptlPhysOffset.y, bottom, 0});
    const LONGLONG borderX =
        gdi.ulLogPixelsX * kEmulatedBorderNumerator / kEmulatedBorderDenominator;
    const LONGLONG borderY =
        gdi.ulLogPixelsY * kEmulatedBorderNumerator / kEmulatedBorderDenominator;
    const LONGLONG printableWidth = width - 2 * marginX;
    const LONGLONG printableHeight = height - 2 * marginY;
    const LONGLONG gdiWidth = width - 2 * borderX;
    const LONGLONG gdiHeight = height - 2 * borderY;
    if (printableWidth <= 0 || printableHeight <= 0 || gdiWidth <= 0 || gdiHeight <= 0) {
        return;
    }
    settings.MarginX = static_cast<DWORD>(marginX);
    settings.MarginY = static_cast<DWORD>(marginY);
    settings.PrintableWidth = static_cast<DWORD>(printableWidth);
    settings.PrintableHeight = static_cast<DWORD>(printableHeight);
    gdi.ptlPhysOffset.x = static_cast<LONG>(borderX);
    gdi.ulHorzRes = static_cast<ULONG>(gdiWidth);
    gdi.ptlPhysOffset.y = static_cast<LONG>(borderY);
    gdi.ulVertRes = static_cast<ULONG>(gdiHeight);
}

// Leading decimal digits with an optional sign after optional white space, as strtol reads them
// where long is 32 bits wide: saturated at the limits; no digits read as 0.
LONG ParseLong(const WCHAR* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    LONGLONG value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value =
            std::min<LONGLONG>(value * 10 + (*text - '0'), static_cast<LONGLONG>(INT32_MAX) + 1);
    }
    value = negative ? -value : std::min<LONGLONG>(value, INT32_MAX);
    return static_cast<LONG>(std::max<LONGLONG>(value, INT32_MIN));
}

void ReadCustomRange(const FeatureSource& source, JobSettings& settings) {
    const FeatureReading range(source, W("ActualCustomRange"));
    if (!range.present()) {
        return;
    }
    const WCHAR* option = range.option();
    settings.CustomRangeFirst = ParseLong(option);
    settings.CustomRangeSecond = 0;
    for (const WCHAR* unit = option; *unit != 0; ++unit) {
        if (*unit == '_') {
            settings.CustomRangeSecond = ParseLong(unit + 1);
            break;
        }
    }
}

void ReadManualDuplexFeatures(const FeatureSource& source, JobSettings& settings) {
    settings.MapManualFeedToTray1 = FlagFromFeature(source, W("KZMapManualFeedToTray1"));
    settings.ManualDuplexModal =
        FeatureReading(source, W("KZManualDuplexDialogModel")).Is(W("Modal")) ? 1 : 0;
    settings.ManualDuplexPageOrder =
        FeatureReading(source, W("KZManualDuplexPageOrder")).Is(W("OddPagesFirst")) ? 0 : 1;
    const FeatureReading rotate(source, W("KZManualDuplexPageRotate"));
    if (rotate.present()) {
        settings.ManualDuplexUserRotate = rotate.Is(W("UserRotate")) ? 1 : 0;
    } else {
        settings.ManualDuplexUserRotate =
            FeatureReading(source, W("KZOrientRotate180")).present() ? 0 : 1;
    }
}

DWORD JpegModeFrom(const FeatureReading& jpeg) {
    if (jpeg.Is(W("Auto"))) {
        return 1;
    }
    if (jpeg.Is(W("Best"))) {
        return 2;
    }
    return jpeg.Is(W("Maximum")) ? 3 : 0;
}

void AdjustColorDepth(const PrivateDevmode& devmode, GDIINFO& gdi) {
    if ((devmode.RenderFlags & kRenderGraySurface) != 0 &&
        (devmode.ColorMode == kColorModeMonochrome || devmode.Grayscale == 1)) {
        gdi.cBitsPixel = kGraySurfaceBitsPerPixel;
    }
    if ((devmode.RenderFlags & kRenderRaiseColorCount) != 0) {
        gdi.ulNumColors = std::max(gdi.ulNumColors, kRaisedColorCount);
        // A count that is a multiple of 65536 would read as 0 in a 16-bit field.
        if ((gdi.ulNumColors & 0xFFFF) == 0) {
            gdi.ulNumColors -= 1;
        }
    }
}

DWORD AlternateLetterhead(const FeatureSource& source, const PrivateDevmode& devmode) {
    if (!FeatureReading(source, W("AlternateLetterHead")).IsTrue()) {
        return 0;
    }
    const FeatureReading duplexUnit(source, W("DuplexUnit"));
    if (duplexUnit.present() && (duplexUnit.Is(W("FALSE")) || duplexUnit.Is(W("NOTINSTALLED")) ||
                                 devmode.SpoolPath != kSpoolPathDriverEmf)) {
        return 0;
    }
    return 1;
}

}  // namespace

bool ReadDeviceFeatures(const FeatureSource& source, GDIINFO* gdiInfo, JobSettings& settings) {
    settings.OutputOrderReverse = FlagFromFeature(source, W("KZOutputOrderReverse"));
    settings.Pcl6PassThrough = FeatureReading(source, W("KZPCL6PassThrough")).present() ? 1 : 0;

    const DEVMODEW* publicDevmode = source.device == nullptr ? nullptr : source.device->pPublicDM;
    const PrivateDevmode* devmode = PrivateDevmodeOf(source.device);
    if (publicDevmode == nullptr || devmode == nullptr || gdiInfo == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    CaptureGeometry(*gdiInfo, settings);
    if (publicDevmode->dmDuplex == DMDUP_SIMPLEX) {
        settings.EmulateLsMargins = FlagFromFeature(source, W("KZEmulateLumisetMargins"));
        settings.SymmetricMargins = FlagFromFeature(source, W("KZSymmetricMargins"));
        if (settings.EmulateLsMargins == 1) {
            EmulateMargins(*gdiInfo, settings);
        }
    } else {
        const FeatureReading scaling(source, W("KZAutoDuplexScaling"));
        settings.AutoDuplexScaling = !scaling.present() ? 0 : scaling.IsTrue() ? 1 : 2;
    }
    ReadCustomRange(source, settings);
    ReadManualDuplexFeatures(source, settings);
    settings.MopierInstalled = FeatureReading(source, W("DeviceIsMopier")).IsInstalled() ? 1 : 0;
    settings.JpegMode = JpegModeFrom(FeatureReading(source, W("JPEGEnable")));
    settings.Orientation = publicDevmode->dmOrientation;
    settings.ManualDuplexActive = 0;
    AdjustColorDepth(*devmode, *gdiInfo);
    settings.SmartDuplexSinglePageJob = FlagFromFeature(source, W("KZSmartDuplexSinglePageJob"));
    settings.SmartDuplexOddPageJob = FlagFromFeature(source, W("KZSmartDuplexOddPageJob"));
    settings.ShiftMarginsForRotate180 =
        FlagFromFeature(source, W("KZShiftMarginsForOrientRotate180"));
    settings.AlternateLetterheadEnabled = AlternateLetterhead(source, *devmode);
    return true;
}

}  // namespace xlrender
