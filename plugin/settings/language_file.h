// The driver's language resource file for the user's interface language.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// The code the driver's language files carry in their names for a UI language ("ZQXDE" for
// 1031); "ZQXEN" for every language without its own files.
const WCHAR* LanguageCode(LANGID language);

// Walks the driver's dependent files and returns (in a 256-unit block from the plug-in's
// allocator, upper-cased) the first whose name contains the user's language code.
bool FindLanguageFile(HANDLE printer, WCHAR*& fileName);

}  // namespace xlrender
