// The watermark fonts a device context has sent to the printer. The printer keeps soft fonts
// for the session, so the state lives with the device state and starts afresh with every
// document.
#pragma once

#include <type_traits>

#include "platform/win32_api.h"

namespace xlrender {

constexpr int kBitmapFontSlots = 4;
constexpr int kFaceNameUnits = 32;
constexpr int kWatermarkTextUnits = 256;

// A bitmap font holds glyphs already turned to one angle for one page orientation; an entry
// with orientation 0 is free.
struct BitmapFontEntry {
    FLOAT angle;
    WORD orientation;
    WORD unusable;  // its download failed part way: never drawn with
};

struct WatermarkFontState {
    // The scalable font is in the printer. Its character codes are the text's own bytes, so no
    // code table is kept.
    DWORD WmFontDownloaded;
    BitmapFontEntry WmBitmapFonts[kBitmapFontSlots];
    DWORD WmBitmapFontHit;
    DWORD WmBitmapFontIndex;
    // What the fonts in the printer were made from: another face, style or text needs fonts
    // of its own, under new names.
    WCHAR FontFace[kFaceNameUnits];
    LONG FontStyle;
    WCHAR FontText[kWatermarkTextUnits];
    DWORD FontGeneration;
    // The device's vertical resolution, from the GDIINFO of EnablePDEV: the watermark is sized
    // and its glyphs rendered for it.
    ULONG DeviceDpiY;
};
static_assert(std::is_trivially_copyable_v<WatermarkFontState>);

// At the start of a document: the printer has forgotten every soft font.
void ForgetWatermarkFonts(WatermarkFontState& state);

}  // namespace xlrender
