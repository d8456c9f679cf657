// The objects behind the stand-in's screen DC and font handles.
#pragma once

#include "gdi/font_files.h"
#include "platform/win32_api.h"

namespace sim::gdi {

struct ScreenFont {
    LOGFONTW logFont;  // face name terminated within LF_FACESIZE units
    const LoadedFace* face;
};

// Counts the call and answers whether the world wants it to fail now.
bool CallFails(const char* function);

// The font selected into a live screen DC, or null (no such DC, or the stock font selected).
const ScreenFont* SelectedFont(HDC dc);

// Sets the face's size for the font's height and a transform that turns glyphs by
// `degrees` (counter-clockwise), and returns it.
FT_Face SizedFace(const ScreenFont& font, double degrees);

// The advance width of `character` along the baseline, in whole pixels; -1 when the face
// cannot load it.
int AdvanceWidth(const ScreenFont& font, UINT character);

// Ascent plus descent of the font, in pixels.
int CellHeight(const ScreenFont& font);

}  // namespace sim::gdi
