// The character filter that keeps a PJL string value legal for the printer's string code set.
#pragma once

#include <cstddef>

#include "platform/text.h"
#include "platform/win32_api.h"

namespace xlrender {

// What the filter puts in place of a character the printer would not accept.
constexpr WCHAR kPjlReplacementChar = W('~');

// Rewrites `text` in place (up to its terminator, never more than `limit` units) for the PJL
// encoding `encodingIndex` (an option index of KZPJLEncoding): every character the encoding
// cannot carry inside a quoted value becomes kPjlReplacementChar, and a value that consists of
// nothing but replacements is emptied. Returns TRUE when at least one character was replaced.
BOOL FilterPjlString(WCHAR* text, DWORD encodingIndex, std::size_t limit = kUnbounded);

}  // namespace xlrender
