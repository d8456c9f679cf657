// The font selection commands of the printer description carry "#HEIGHT" where the printer
// expects the font's height in points; the plug-in fills it in before sending the command.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// Writes the command of `invocation` to the spool stream, its first "#HEIGHT" replaced by the
// height of `font` in points (two decimals after a point in every locale, between 0 and
// 999.75). The command is read up to its first zero byte, never past its dwCount bytes, and at
// most 99 bytes of it are used. Without "#HEIGHT", without a font or when the font cannot tell
// its height, the command goes out as it came.
void WriteFontCommand(DEVOBJ* device, UNIFONTOBJ* font, const FINVOCATION* invocation);

}  // namespace xlrender
