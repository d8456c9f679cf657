// Names of the watermark's soft fonts.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"

namespace xlrender {

// Bitmap font names are formatted into this many bytes.
constexpr std::size_t kBitmapFontNameBytes = 100;

// `face` (at most 32 units) in the ANSI code page followed by "KZ_WM"; a `generation` above 0
// (a later font of the same device context) is appended so no two downloads share a name.
// False when the conversion fails.
bool BuildSoftFontName(const WCHAR* face, DWORD generation, char* name, std::size_t nameBytes);

// "%s %d" of the soft font name and the bitmap font's index; the index always survives, the
// name giving way when the buffer is short.
void BuildBitmapFontName(const char* fontName, DWORD index, char* name, std::size_t nameBytes);

}  // namespace xlrender
