// The bitmap form of the watermark font: glyphs rendered already turned by the screen DC, one
// font per (angle, page orientation), four under the names of one generation.
#pragma once

#include "fonts/watermark_font_state.h"
#include "fonts/watermark_text.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

// Before a font name is chosen for `angle` and `orientation`: when all four entries hold other
// pairs, the fonts in the printer keep their names and a new generation of names begins with
// every entry free (the scalable font, should it be needed, goes down again under the new
// name). A font header is never sent twice under one name, which the printer would refuse.
void MakeRoomForBitmapFont(WatermarkFontState& state, float angle, WORD orientation);

// The entry of `angle` and `orientation` (`hit` set), or the first free one, taken; -1 when all
// four hold other pairs.
int FindBitmapFont(WatermarkFontState& state, float angle, WORD orientation, bool& hit);

// Sends bitmap font `name`: its header, then every character of `text` under its position in
// the text, so any slot that reuses the font finds each glyph it draws. The screen DC renders
// the glyphs in square pixels at `glyphDpi`, so the font says that resolution across and down:
// on a device whose two resolutions differ, the other would stretch them. False when a glyph
// cannot be rendered or sent; the character download is closed all the same.
bool DownloadWatermarkBitmaps(XlStream* stream, HDC dc, const WatermarkText& text, const char* name,
                              WORD charCount, ULONG glyphDpi);

}  // namespace xlrender
