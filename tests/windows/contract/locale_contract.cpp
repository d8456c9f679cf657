// The user's locale as the plug-in reads it: languages, the country code that decides the
// default paper, and the short date of the job's PJL, for a US English user.
#include "contract.h"

namespace {

using contract::Text;

constexpr LANGID kUsEnglish = 0x0409;

CONTRACT_GROUP(UserLanguagesAreUsEnglish) {
    CONTRACT_EQ(GetUserDefaultLangID(), kUsEnglish);
    CONTRACT_EQ(GetUserDefaultUILanguage(), kUsEnglish);
}

CONTRACT_GROUP(CountryCodeCountsItsTerminator) {
    const LCTYPE types[] = {LOCALE_ICOUNTRY, LOCALE_ICOUNTRY | LOCALE_NOUSEROVERRIDE};
    for (const LCTYPE type : types) {
        const contract::CaseLabel label("type " + contract::Hex(type));
        CONTRACT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0), 2);
        WCHAR country[2] = {u'x', u'x'};
        CONTRACT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, type, country, 2), 2);
        CONTRACT_TEXT(country, 2, Text(W("1"), 2));
        SetLastError(ERROR_SUCCESS);
        CONTRACT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, type, country, 1), 0);
        CONTRACT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    }
}

SYSTEMTIME Date(WORD year, WORD month, WORD day) {
    SYSTEMTIME date{};
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    return date;
}

CONTRACT_GROUP(ShortDateOfTheUser) {
    const SYSTEMTIME date = Date(2026, 12, 8);
    const DWORD flagSets[] = {DATE_SHORTDATE, LOCALE_NOUSEROVERRIDE | DATE_SHORTDATE};
    for (const DWORD flags : flagSets) {
        const contract::CaseLabel label("flags " + contract::Hex(flags));
        CONTRACT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, nullptr, nullptr, 0), 10);
        WCHAR text[10] = {};
        CONTRACT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, nullptr, text, 10), 10);
        CONTRACT_TEXT(text, 10, Text(W("12/8/2026"), 10));
        SetLastError(ERROR_SUCCESS);
        CONTRACT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, nullptr, text, 9), 0);
        CONTRACT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    }
}

// Date pictures as locales write their short dates: day, month and year in their widths, other
// characters as they stand, and text in single quotes literally ('' is one quote).
CONTRACT_GROUP(DatePictures) {
    struct Case {
        const WCHAR* picture;
        const WCHAR* formatted;
    };
    const Case cases[] = {
        {W("d/M/yy"), W("5/3/07")},          {W("dd.MM.yyyy"), W("05.03.2007")},
        {W("yyyy-MM-dd"), W("2007-03-05")},  {W("d.M.yyyy '\u0433.'"), W("5.3.2007 \u0433.")},
        {W("'abc''bar' d"), W("abc'bar 5")}, {W("dd'd'MM''yy"), W("05d0307")},
    };
    const SYSTEMTIME date = Date(2007, 3, 5);
    for (const Case& c : cases) {
        const contract::CaseLabel label("case " + std::to_string(&c - cases));
        WCHAR text[32] = {};
        const int units = GetDateFormatW(LOCALE_USER_DEFAULT, 0, &date, c.picture, text, 32);
        CONTRACT_TEXT(text, units > 0 ? static_cast<std::size_t>(units - 1) : 0, Text(c.formatted));
    }
}

}  // namespace
