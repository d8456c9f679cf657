#include "settings/locale_queries.h"

#include "platform/memory.h"
#include "platform/text.h"

namespace xlrender {
namespace {

// Country codes whose default paper is Letter: the Americas' +1 plan (and the 0-2 that stand in
// for it), +50-59 and +500-599.
bool CountryUsesLetter(long country) {
    return (country >= 0 && country <= 2) || (country >= 50 && country <= 59) ||
           (country >= 500 && country <= 599);
}

long LeadingNumber(const WCHAR* text) {
    long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > 100000) {
            break;  // no country code is this long; stop before overflowing
        }
    }
    return value;
}

bool IsDateSeparator(WCHAR unit) { return unit == '/' || unit == '-' || unit == '.'; }

constexpr DWORD kDateBlockSlackBytes = 4;

// Rebuilds `formatted` into `out` (outUnits units): every piece two digits or more, the pieces
// joined by "/", whatever number of them the locale's pattern has. False when there is no
// piece or the result does not fit.
bool RebuildDate(const WCHAR* formatted, WCHAR* out, std::size_t outUnits) {
    out[0] = 0;
    int pieces = 0;
    const WCHAR* piece = formatted;
    while (*piece != 0) {
        std::size_t length = 0;
        while (piece[length] != 0 && !IsDateSeparator(piece[length])) {
            ++length;
        }
        if (length > 0) {
            if (pieces++ > 0 && AppendText(out, outUnits, W("/")) != S_OK) {
                return false;
            }
            if (length == 1 && AppendText(out, outUnits, W("0")) != S_OK) {
                return false;
            }
            if (AppendText(out, outUnits, piece, length) != S_OK) {
                return false;
            }
        }
        piece += length;
        while (IsDateSeparator(*piece)) {
            ++piece;
        }
    }
    return pieces > 0;
}

}  // namespace

DWORD IsA4Locale() {
    const int units = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, nullptr, 0);
    if (units <= 0) {
        return 0;
    }
    auto* country =
        static_cast<WCHAR*>(AllocateZeroed(static_cast<std::size_t>(units) * sizeof(WCHAR)));
    if (country == nullptr) {
        return 0;
    }
    // A failed second read counts as the United States.
    long number = 1;
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, country, units) > 0) {
        country[units - 1] = 0;
        number = LeadingNumber(country);
    }
    FreeBlock(country);
    return CountryUsesLetter(number) ? 0 : 1;
}

bool FormatJobDate(const SYSTEMTIME& date, WCHAR*& text) {
    text = nullptr;
    constexpr DWORD kFlags = LOCALE_NOUSEROVERRIDE | DATE_SHORTDATE;
    const int units = GetDateFormatW(LOCALE_USER_DEFAULT, kFlags, &date, nullptr, nullptr, 0);
    if (units <= 0) {
        return false;
    }
    const std::size_t blockBytes = static_cast<std::size_t>(units) * 2 + kDateBlockSlackBytes;
    const std::size_t blockUnits = blockBytes / sizeof(WCHAR);
    // Every piece has a character and gains at most a "0", so the rebuilt date is at most twice
    // as long as the formatted one, whatever number of pieces the pattern has.
    const std::size_t rebuiltUnits = blockUnits * 2;
    auto* formatted = static_cast<WCHAR*>(AllocateZeroed(blockBytes));
    auto* rebuilt = static_cast<WCHAR*>(AllocateZeroed(rebuiltUnits * sizeof(WCHAR)));
    const bool done = formatted != nullptr && rebuilt != nullptr &&
                      GetDateFormatW(LOCALE_USER_DEFAULT, kFlags, &date, nullptr, formatted,
                                     static_cast<int>(blockUnits)) > 0 &&
                      RebuildDate(formatted, rebuilt, rebuiltUnits);
    FreeBlock(formatted);
    if (!done) {
        FreeBlock(rebuilt);
        return false;
    }
    text = rebuilt;
    return true;
}

}  // namespace xlrender
