// National language support: the locale queries the plug-in makes.
#pragma once

#include "platform/linux/base_types.h"

using LCID = DWORD;
using LANGID = WORD;
using LCTYPE = DWORD;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCTYPE LOCALE_ICOUNTRY = 0x00000005;
constexpr DWORD LOCALE_NOUSEROVERRIDE = 0x80000000;
constexpr DWORD DATE_SHORTDATE = 0x00000001;

extern "C" {
int WINAPI GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData);
int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat,
                          LPWSTR lpDateStr, int cchDate);
LANGID WINAPI GetUserDefaultUILanguage();
LANGID WINAPI GetUserDefaultLangID();
}
