// Locale services over the world's LocaleState.
#include <string>

#include "win32/text_delivery.h"
#include "world.h"

namespace {

bool ShouldFailInfoCall() {
    std::size_t& failAfter = sim::TheWorld().locale.failInfoCall;
    return failAfter != 0 && --failAfter == 0;
}

std::u16string Number(unsigned value, std::size_t minimumDigits) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    while (digits.size() < minimumDigits) {
        digits.insert(digits.begin(), u'0');
    }
    return digits;
}

// Expands d, dd, M, MM, yy and yyyy; text in single quotes is copied without them ('' inside
// quotes is one quote), every other character as it stands.
std::u16string FormatDate(const std::u16string& pattern, const SYSTEMTIME& date) {
    std::u16string text;
    bool quoted = false;
    for (std::size_t i = 0; i < pattern.size();) {
        const char16_t letter = pattern[i];
        if (letter == u'\'') {
            const bool doubled = quoted && i + 1 < pattern.size() && pattern[i + 1] == u'\'';
            if (doubled) {
                text += letter;
            } else {
                quoted = !quoted;
            }
            i += doubled ? 2 : 1;
            continue;
        }
        if (quoted) {
            text += letter;
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == letter) {
            ++run;
        }
        if (letter == u'd') {
            text += Number(date.wDay, run >= 2 ? 2 : 1);
        } else if (letter == u'M') {
            text += Number(date.wMonth, run >= 2 ? 2 : 1);
        } else if (letter == u'y') {
            text += run >= 4 ? Number(date.wYear, 4) : Number(date.wYear % 100, 2);
        } else {
            text.append(run, letter);
        }
        i += run;
    }
    return text;
}

}  // namespace

extern "C" {

int WINAPI GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData) {
    if (ShouldFailInfoCall()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (Locale != LOCALE_USER_DEFAULT || (LCType & ~LOCALE_NOUSEROVERRIDE) != LOCALE_ICOUNTRY ||
        cchData < 0 || (cchData > 0 && lpLCData == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string country = sim::TheWorld().locale.country;
    country.push_back(0);
    return sim::DeliverText(country, lpLCData, cchData);
}

int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat,
                          LPWSTR lpDateStr, int cchDate) {
    if (Locale != LOCALE_USER_DEFAULT || lpDate == nullptr || cchDate < 0 ||
        (cchDate > 0 && lpDateStr == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((dwFlags & ~(LOCALE_NOUSEROVERRIDE | DATE_SHORTDATE)) != 0) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const std::u16string pattern =
        lpFormat != nullptr ? std::u16string(lpFormat) : sim::TheWorld().locale.shortDatePattern;
    std::u16string text = FormatDate(pattern, *lpDate);
    text.push_back(0);
    return sim::DeliverText(text, lpDateStr, cchDate);
}

LANGID WINAPI GetUserDefaultUILanguage() { return sim::TheWorld().locale.uiLanguage; }

LANGID WINAPI GetUserDefaultLangID() { return sim::TheWorld().locale.languageId; }

}  // extern "C"
