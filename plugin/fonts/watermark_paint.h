// The paint a watermark's text is filled with: the user's colour (or grey) in one of nine
// shade patterns.
#pragma once

#include "settings/private_devmode.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

// Transparency, the colour space and palette, the 16 x 16 shade pattern as the brush, and the
// ROP. A shade outside 0-8 counts as 1, a colour outside 0-6 as black.
void WriteWatermarkPaint(XlStream* stream, const PrivateDevmode& devmode);

}  // namespace xlrender
