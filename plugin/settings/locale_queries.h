// What the user's locale says about paper and dates.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// 1 when the user's country does not use Letter paper by default, else 0 (also when the locale
// cannot be read).
DWORD IsA4Locale();

// The job date as the locale orders day, month and year, with "/" between the pieces and each
// one-character piece padded with "0" (7.3.2004 → 07/03/2004). On success `text` is a block from
// the plug-in's allocator that the caller frees with FreeBlock.
bool FormatJobDate(const SYSTEMTIME& date, WCHAR*& text);

}  // namespace xlrender
