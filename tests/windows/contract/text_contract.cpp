// Code pages and case: the ANSI code page (Windows-1252 for a US English user) both ways, with
// and without best fit, UTF-8 out, upper-casing, and the lead bytes of the double-byte ANSI code
// pages that PJL lines are cut by.
#include <iterator>

#include "contract.h"

namespace {

using contract::Text;

constexpr UINT kWesternCodePage = 1252;

CONTRACT_GROUP(AnsiCodePageIsWindows1252) {
    CONTRACT_EQ(GetACP(), kWesternCodePage);
    // Every byte decodes and encodes back to itself exactly, the five bytes Windows-1252 leaves
    // undefined included (they stand for the C1 controls of the same number).
    for (int byte = 1; byte < 256; ++byte) {
        const contract::CaseLabel label("byte " + contract::Hex(static_cast<unsigned>(byte)));
        const char in = static_cast<char>(byte);
        WCHAR wide[2] = {};
        CONTRACT_EQ(MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, &in, 1, wide, 2), 1);
        char out[2] = {};
        BOOL usedDefault = TRUE;
        CONTRACT_EQ(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, 1, out, 2, nullptr,
                                        &usedDefault),
                    1);
        CONTRACT_EQ(static_cast<unsigned char>(out[0]), byte);
        CONTRACT_EQ(usedDefault, FALSE);
    }
    WCHAR wide[5] = {};
    CONTRACT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x80\x81\x9F\xFF", -1, wide, 5), 5);
    CONTRACT_TEXT(wide, 5, Text(W("\u20AC\u0081\u0178\u00FF"), 5));
}

// The size-query protocol: -1 counts the terminator, an explicit length does not, a zero-sized
// buffer asks, a short one fails; an empty input is refused.
CONTRACT_GROUP(ConversionSizesCountTheTerminatorOnlyWhenAskedTo) {
    const WCHAR* text = W("A\u00E9\u20AC");
    CONTRACT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr), 4);
    CONTRACT_EQ(WideCharToMultiByte(CP_ACP, 0, text, 3, nullptr, 0, nullptr, nullptr), 3);
    char bytes[4] = {'x', 'x', 'x', 'x'};
    CONTRACT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, 4, nullptr, nullptr), 4);
    CONTRACT_BYTES(bytes, 4, std::string("A\xE9\x80", 4));
    SetLastError(ERROR_SUCCESS);
    CONTRACT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, 3, nullptr, nullptr), 0);
    CONTRACT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    SetLastError(ERROR_SUCCESS);
    CONTRACT_EQ(WideCharToMultiByte(CP_ACP, 0, text, 0, bytes, 4, nullptr, nullptr), 0);
    CONTRACT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    CONTRACT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab\xE9", -1, nullptr, 0), 4);
    CONTRACT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab\xE9", 3, nullptr, 0), 3);
    WCHAR wide[3] = {};
    SetLastError(ERROR_SUCCESS);
    CONTRACT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab\xE9", -1, wide, 3), 0);
    CONTRACT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    SetLastError(ERROR_SUCCESS);
    CONTRACT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab", 0, wide, 3), 0);
    CONTRACT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

// Without WC_NO_BEST_FIT_CHARS, look-alikes become their plain Windows-1252 letter and count as
// mapped; with it (or with no look-alike) they become the default character.
CONTRACT_GROUP(BestFitOnlyWithoutNoBestFit) {
    struct Case {
        WCHAR unit;
        char bestFit;  // '?' where Windows has no look-alike either
    };
    const Case cases[] = {
        {0x0100, 'A'}, {0x0107, 'c'}, {0x0131, 'i'}, {0x0138, '?'},  {0x0141, 'L'}, {0x0149, '?'},
        {0x014A, '?'}, {0x0166, 'T'}, {0x017F, '?'}, {0xFF21, 'A'},  {0xFF5E, '~'}, {0x2002, ' '},
        {0x3000, ' '}, {0x2011, '-'}, {0x2212, '-'}, {0x2032, '\''}, {0x2033, '?'}, {0x4E00, '?'},
    };
    for (const Case& c : cases) {
        const contract::CaseLabel label("unit " + contract::Hex(c.unit));
        char out = 0;
        BOOL usedDefault = FALSE;
        CONTRACT_EQ(WideCharToMultiByte(CP_ACP, 0, &c.unit, 1, &out, 1, nullptr, &usedDefault), 1);
        CONTRACT_EQ(out, c.bestFit);
        CONTRACT_EQ(usedDefault, c.bestFit == '?' ? TRUE : FALSE);
        usedDefault = FALSE;
        CONTRACT_EQ(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &c.unit, 1, &out, 1, "*",
                                        &usedDefault),
                    1);
        CONTRACT_EQ(out, '*');
        CONTRACT_EQ(usedDefault, TRUE);
    }
}

CONTRACT_GROUP(Utf8OutReplacesUnpairedSurrogates) {
    const WCHAR text[] = {u'A', 0x00E9, 0x20AC, 0xD83D, 0xDE00, 0xD800, u'z'};
    const int units = static_cast<int>(std::size(text));
    CONTRACT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr), 14);
    char bytes[14] = {};
    CONTRACT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, units, bytes, 14, nullptr, nullptr), 14);
    CONTRACT_BYTES(bytes, 14,
                   std::string("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBDz", 14));
}

// Simple one-to-one mappings only: sharp s, dotless i, kra and the micro sign have no capital of
// their own length, and since Windows 7 final sigma keeps its case outside linguistic casing.
CONTRACT_GROUP(UpperCaseAsCharUpperBuffW) {
    WCHAR text[] =
        W("az\u00E0\u00FE\u00F7\u00FF\u00DF\u0101\u0131\u0138\u017E\u03C2\u03C9"
          "\u0451\u044F\uFF41\u00B5-1x");
    const DWORD length = static_cast<DWORD>(std::size(text) - 2);  // the last letter stays
    CONTRACT_EQ(CharUpperBuffW(text, length), length);
    CONTRACT_TEXT(text, std::size(text) - 1,
                  Text(W("AZ\u00C0\u00DE\u00F7\u0178\u00DF\u0100\u0131\u0138\u017D\u03C2\u03A9"
                         "\u0401\u042F\uFF21\u00B5-1x")));
}

// Text through the double-byte code pages, both ways. The stand-in converts none of them: the
// plug-in converts only through CP_ACP and UTF-8, and the stand-in keeps CP_ACP at
// Windows-1252 (its lead bytes follow the ANSI code page it reports, as checked below).
CONTRACT_GROUP(DoubleByteConversions) {
    struct Case {
        UINT codePage;
        WCHAR text[3];
        const char* bytes;
    };
    const Case cases[] = {{932, {0x65E5, 0x672C}, "\x93\xFA\x96\x7B"},
                          {936, {0x4E2D, 0x6587}, "\xD6\xD0\xCE\xC4"},
                          {949, {0xD55C, 0xAD6D}, "\xC7\xD1\xB1\xB9"},
                          {950, {0x4E2D, 0x6587}, "\xA4\xA4\xA4\xE5"}};
    if (environment.platform == contract::Platform::kStandIn) {
        contract::NoteKnownDifference(
            "no conversion through a double-byte code page (refused with "
            "ERROR_INVALID_PARAMETER)");
    }
    for (const Case& c : cases) {
        const contract::CaseLabel label("code page " + std::to_string(c.codePage));
        char bytes[4] = {};
        WCHAR text[2] = {};
        SetLastError(ERROR_SUCCESS);
        const int encoded =
            WideCharToMultiByte(c.codePage, 0, c.text, 2, bytes, 4, nullptr, nullptr);
        const int decoded = MultiByteToWideChar(c.codePage, 0, c.bytes, 4, text, 2);
        if (environment.platform == contract::Platform::kStandIn) {
            CONTRACT_EQ(encoded, 0);
            CONTRACT_EQ(decoded, 0);
            CONTRACT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
            continue;
        }
        CONTRACT_EQ(encoded, 4);
        CONTRACT_BYTES(bytes, 4, std::string(c.bytes, 4));
        CONTRACT_EQ(decoded, 2);
        CONTRACT_TEXT(text, 2, Text(c.text, 2));
    }
}

// Lead bytes of the double-byte code pages: Japanese 0x81-0x9F and 0xE0-0xFC, Chinese and
// Korean 0x81-0xFE; Windows-1252 (and so CP_ACP here) has none.
CONTRACT_GROUP(DoubleByteLeadBytes) {
    struct Range {
        UINT codePage;
        int first1, last1, first2, last2;
    };
    const Range ranges[] = {{932, 0x81, 0x9F, 0xE0, 0xFC}, {936, 0x81, 0xFE, 0, -1},
                            {949, 0x81, 0xFE, 0, -1},      {950, 0x81, 0xFE, 0, -1},
                            {1252, 0, -1, 0, -1},          {CP_ACP, 0, -1, 0, -1}};
    for (const Range& range : ranges) {
        const contract::CaseLabel label("code page " + std::to_string(range.codePage));
        int wrong = 0;
        for (int byte = 0; byte < 256; ++byte) {
            const bool lead = (byte >= range.first1 && byte <= range.last1) ||
                              (byte >= range.first2 && byte <= range.last2);
            wrong += (IsDBCSLeadByteEx(range.codePage, static_cast<BYTE>(byte)) != FALSE) != lead;
        }
        CONTRACT_EQ(wrong, 0);
    }
}

}  // namespace
