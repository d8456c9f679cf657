// The watermark's UTF-16 text in the ANSI code page, the 8-bit form its soft fonts are
// addressed by.
#pragma once

#include <cstddef>

#include "platform/win32_api.h"

namespace xlrender {

// Room for the converted form of a 256-unit text in a double-byte code page.
constexpr std::size_t kAnsiTextBytes = 2 * 256 + 1;

// Converts `text`, read up to its terminator or `units` units, into `out` (`outBytes` bytes,
// terminated). Returns the converted length, or -1 when the conversion fails or does not fit.
int ConvertToAnsi(const WCHAR* text, std::size_t units, char* out, std::size_t outBytes);

}  // namespace xlrender
