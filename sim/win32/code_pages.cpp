// Conversions between UTF-16 and the 8-bit code pages with Windows' behaviour: UTF-8 (unpaired
// surrogates become U+FFFD) and the ANSI code page, Windows-1252, with best-fit mapping unless
// the caller asks for WC_NO_BEST_FIT_CHARS. Upper-casing as CharUpperBuffW does it. The ANSI
// code page's number and its lead bytes, for double-byte code pages too.
#include <cstring>
#include <string>

#include "win32/text_delivery.h"
#include "world.h"

namespace {

// Windows-1252 bytes 0x80-0x9F; 0 marks the five bytes the code page leaves undefined (they map
// to the C1 control with the same number, as Windows does).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t DecodeCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kCp1252High[byte - 0x80] != 0) {
        return kCp1252High[byte - 0x80];
    }
    return byte;
}

// The exact Windows-1252 byte of `unit`, or -1.
int EncodeCp1252Exact(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return unit;
    }
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == unit || (kCp1252High[i] == 0 && unit == 0x80 + i)) {
            return 0x80 + i;
        }
    }
    return -1;
}

// Latin Extended-A (U+0100-U+017F) best-fit letters, one per code point.
constexpr char kLatinExtendedABestFit[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKk?LlLlLlL"
    "lLlNnNnNn???OoOoOo??RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZz?";
static_assert(sizeof kLatinExtendedABestFit == 0x80 + 1);

// Windows' best-fit table maps look-alikes to a plain character: Latin letters with marks to
// the base letter, fullwidth ASCII forms to ASCII, typographic spaces and dashes to their plain
// forms. Returns -1 where the table has nothing.
int BestFitCp1252(char16_t unit) {
    if (unit >= 0x0100 && unit <= 0x017F) {
        const char fit = kLatinExtendedABestFit[unit - 0x0100];
        return fit == '?' ? -1 : fit;
    }
    if (unit >= 0xFF01 && unit <= 0xFF5E) {
        return unit - 0xFF01 + 0x21;
    }
    if ((unit >= 0x2000 && unit <= 0x2006) || unit == 0x3000) {
        return ' ';
    }
    if (unit == 0x2010 || unit == 0x2011 || unit == 0x2212) {
        return '-';
    }
    if (unit == 0x2032) {
        return '\'';
    }
    return -1;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string EncodeUtf8(const char16_t* units, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::string EncodeAnsi(const char16_t* units, std::size_t count, bool bestFit,
                       char defaultChar, bool& usedDefault) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        int byte = EncodeCp1252Exact(units[i]);
        if (byte < 0 && bestFit) {
            byte = BestFitCp1252(units[i]);
        }
        if (byte < 0) {
            usedDefault = true;
            byte = static_cast<unsigned char>(defaultChar);
        }
        out += static_cast<char>(byte);
    }
    return out;
}

// Decodes UTF-8; malformed sequences become U+FFFD, or fail when `strict`.
bool DecodeUtf8(const unsigned char* bytes, std::size_t count, bool strict,
                std::u16string& out) {
    std::size_t i = 0;
    while (i < count) {
        const unsigned char lead = bytes[i];
        int extra = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
            minimum = 0x10000;
        } else {
            extra = -1;
        }
        bool valid = extra >= 0;
        for (int k = 1; valid && k <= extra; ++k) {
            if (i + k >= count || (bytes[i + k] & 0xC0) != 0x80) {
                valid = false;
            } else {
                code = (code << 6) | (bytes[i + k] & 0x3F);
            }
        }
        if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) {
            valid = false;
        }
        if (!valid) {
            if (strict) {
                return false;
            }
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

char16_t UpperCase(char16_t unit) {
    if ((unit >= u'a' && unit <= u'z') || (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7)) {
        return unit - 0x20;
    }
    if (unit == 0xFF) {
        return 0x0178;
    }
    const bool pairedLowerOdd = (unit >= 0x0100 && unit <= 0x012F) ||
                                (unit >= 0x0132 && unit <= 0x0137) ||
                                (unit >= 0x014A && unit <= 0x0177);
    if (pairedLowerOdd && (unit & 1) == 1) {
        return unit - 1;
    }
    const bool pairedLowerEven = (unit >= 0x0139 && unit <= 0x0148) ||
                                 (unit >= 0x0179 && unit <= 0x017E);
    if (pairedLowerEven && (unit & 1) == 0) {
        return unit - 1;
    }
    // Final sigma keeps its case: since Windows 7 only linguistic casing capitalises it.
    if ((unit >= 0x03B1 && unit <= 0x03C9 && unit != 0x03C2) ||
        (unit >= 0x0430 && unit <= 0x044F) || (unit >= 0xFF41 && unit <= 0xFF5A)) {
        return unit - 0x20;
    }
    if (unit >= 0x0450 && unit <= 0x045F) {
        return unit - 0x50;
    }
    return unit;
}

}  // namespace

extern "C" {

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr,
                               int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                               LPCCH lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (lpWideCharStr == nullptr || cchWideChar == 0 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && lpMultiByteStr == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::size_t count = cchWideChar < 0
                                  ? std::char_traits<char16_t>::length(lpWideCharStr) + 1
                                  : static_cast<std::size_t>(cchWideChar);
    std::string result;
    if (CodePage == CP_UTF8) {
        // UTF-8 takes no flags but WC_ERR_INVALID_CHARS, and no default character.
        if ((dwFlags & ~0x80u) != 0 || lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        result = EncodeUtf8(lpWideCharStr, count);
    } else if (CodePage == CP_ACP || CodePage == 1252) {
        bool usedDefault = false;
        result = EncodeAnsi(lpWideCharStr, count, (dwFlags & WC_NO_BEST_FIT_CHARS) == 0,
                            lpDefaultChar != nullptr ? *lpDefaultChar : '?', usedDefault);
        if (lpUsedDefaultChar != nullptr) {
            *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
        }
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return sim::DeliverText(result, lpMultiByteStr, cbMultiByte);
}

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr,
                               int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar) {
    if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0 ||
        (cchWideChar > 0 && lpWideCharStr == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::size_t count = cbMultiByte < 0 ? std::strlen(lpMultiByteStr) + 1
                                              : static_cast<std::size_t>(cbMultiByte);
    const auto* bytes = reinterpret_cast<const unsigned char*>(lpMultiByteStr);
    std::u16string result;
    if (CodePage == CP_UTF8) {
        if (!DecodeUtf8(bytes, count, (dwFlags & MB_ERR_INVALID_CHARS) != 0, result)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
    } else if (CodePage == CP_ACP || CodePage == 1252) {
        for (std::size_t i = 0; i < count; ++i) {
            result += DecodeCp1252(bytes[i]);
        }
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return sim::DeliverText(result, lpWideCharStr, cchWideChar);
}

DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength) {
    if (lpsz == nullptr) {
        return 0;
    }
    for (DWORD i = 0; i < cchLength; ++i) {
        lpsz[i] = UpperCase(lpsz[i]);
    }
    return cchLength;
}

UINT WINAPI GetACP() {
    return sim::TheWorld().locale.ansiCodePage;
}

// Lead bytes of the double-byte code pages Windows uses as ANSI code pages: Japanese (932),
// simplified Chinese (936), Korean (949) and traditional Chinese (950).
BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
    switch (CodePage == CP_ACP ? GetACP() : CodePage) {
        case 932:
            return (TestChar >= 0x81 && TestChar <= 0x9F) || (TestChar >= 0xE0 && TestChar <= 0xFC)
                       ? TRUE
                       : FALSE;
        case 936:
        case 949:
        case 950:
            return TestChar >= 0x81 && TestChar <= 0xFE ? TRUE : FALSE;
        default:
            return FALSE;
    }
}

}  // extern "C"
