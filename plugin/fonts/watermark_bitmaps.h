// The bitmap form of the watermark font: glyphs rendered already turned by the screen DC, one
// font per (angle, page orientation), at most four per device context.
#pragma once

#include "fonts/watermark_font_state.h"
#include "fonts/watermark_text.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

// The entry of `angle` and `orientation` (`hit` set), or the first free one, taken; -1 when all
// four hold other pairs: a fifth font would need a name already in use.
int FindBitmapFont(WatermarkFontState& state, float angle, WORD orientation, bool& hit);

// Sends bitmap font `name`: its header, then every character of `text` under its position in
// the text, so any slot that reuses the font finds each glyph it draws. False when a glyph
// cannot be rendered or sent; the character download is closed all the same.
bool DownloadWatermarkBitmaps(XlStream* stream, HDC dc, const WatermarkText& text, const char* name,
                              WORD charCount, ULONG dpiX, ULONG dpiY);

}  // namespace xlrender
