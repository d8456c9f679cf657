// Where a watermark goes on a logical page and how big it is: the geometry of the sheet layout
// (escape 3883) and the watermark settings. The layout comes from any application, so every
// value is checked before it divides or turns into an integer.
#pragma once

#include "fonts/page_watermark_state.h"
#include "platform/win32_api.h"
#include "settings/job_settings.h"
#include "settings/private_devmode.h"

namespace xlrender {

// Smallest and largest sizes a watermark is drawn at.
constexpr float kMinWatermarkPoints = 1.0f;
constexpr float kMaxWatermarkPoints = 1000.0f;

// Arabic and Hebrew user interfaces.
bool IsRightToLeft(LANGID language);

// False when the sheet frame has no extent or the slot is empty or inverted: nothing to lay a
// watermark out in.
bool SlotCanCarryWatermark(const PageWatermarkState& sheet, DWORD slot);

// The page scale s: ScalePercent / 100 unless the page is resized to a paper by the fit scale;
// a percentage of 0 or less counts as 100.
double PageScale(const PrivateDevmode& devmode);

// Text size in points for `pages` logical pages per sheet, within 1-1000.
float WatermarkFontSize(const PrivateDevmode& devmode, const PageWatermarkState& sheet,
                        DWORD pages);

// The angle in degrees counter-clockwise, before reduction; `uiLanguage` is the user interface
// language (Arabic and Hebrew mirror the sheet diagonal).
float WatermarkAngleFor(const PrivateDevmode& devmode, const JobSettings& settings,
                        const DEVMODEW& publicDevmode, const PageWatermarkState& sheet, DWORD slot,
                        LANGID uiLanguage);

// Brings an angle above 360 into (0, 360]; anything not finite becomes 0.
double ReduceAngle(double degrees);

// The font the screen DC measures and renders with, `dpi` dots per inch.
LOGFONTW WatermarkLogFont(const PrivateDevmode& devmode, ULONG dpi, float size, float angle,
                          LANGID userLanguage);

POINTL PageCentre(const LogicalPageSlot& page, double scale);

// Where the text starts for a text extent `extent`, `reducedAngle` degrees.
POINTL TextStart(POINTL centre, SIZE extent, double reducedAngle, DWORD pages);

struct CharStep {
    SHORT dx;
    SHORT dy;
};
// A character's advance (or height) `length` along `theta` radians; y grows downwards.
CharStep CharAdvance(int length, double theta);

// The clip rectangle of a slot, corners in order, each within 16 bits.
RECTL WatermarkClip(const PrivateDevmode& devmode, const PageWatermarkState& sheet, DWORD slot);

// A value within the signed 16 bits of a PCL XL coordinate; NaN counts as 0.
SHORT ClampToShort(double value);

}  // namespace xlrender
