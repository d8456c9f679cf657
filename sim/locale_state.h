// The simulated user's locale.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win32_api.h"

namespace sim {

struct LocaleState {
    // LOCALE_ICOUNTRY: the international dialling code, as text.
    std::u16string country = u"1";
    // The short-date pattern: d, dd, M, MM, yy, yyyy and literal characters.
    std::u16string shortDatePattern = u"M/d/yyyy";
    LANGID uiLanguage = 1033;
    // The ANSI code page GetACP reports and IsDBCSLeadByteEx judges lead bytes by. Conversions
    // through CP_ACP stay Windows-1252 whatever it says.
    UINT ansiCodePage = 1252;
    LANGID languageId = 1033;
    // The GetLocaleInfoW call that many calls from now fails (1 = the next); 0 = none fails.
    std::size_t failInfoCall = 0;
};

}  // namespace sim
