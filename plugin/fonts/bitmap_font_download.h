// The watermark's soft font in its bitmap form: a header at the device resolution and one
// character per glyph, rendered already turned by the screen DC.
#pragma once

#include "platform/win32_api.h"
#include "xlstream/xl_stream.h"

namespace xlrender {

// The font header of bitmap font `name`, `dpiX` x `dpiY` dots per inch (each within 16 bits).
void DownloadBitmapHeader(XlStream* stream, const char* name, WORD charCount, ULONG dpiX,
                          ULONG dpiY);

// Bytes of one row of a glyph `width` pixels wide, rows padded to 32 bits; 0 when the padded
// width does not fit the record's 16 bits.
DWORD BitmapRowBytes(UINT width);

// The record of one glyph: `bits` holds height rows of BitmapRowBytes(width) bytes. False, with
// nothing written, when the width or height is 0 or does not fit the record.
bool DownloadBitmapChar(XlStream* stream, UINT width, UINT height, LONG left, LONG top, WORD code,
                        const BYTE* bits);

}  // namespace xlrender
