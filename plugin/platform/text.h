// Bounded text helpers. Every function here writes at most the given number of bytes (or
// UTF-16 units), always leaves the destination terminated when it could write at all, and on
// overflow keeps as much of the text as fits and reports kInsufficientBuffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32_api.h"

#ifdef __MINGW32__
#define XLR_PRINTF_FORMAT(format_index, first_arg) \
    __attribute__((format(gnu_printf, format_index, first_arg)))
#else
#define XLR_PRINTF_FORMAT(format_index, first_arg) \
    __attribute__((format(printf, format_index, first_arg)))
#endif

namespace xlrender {

// The results a caller can test for; the same values Windows' safe-string functions return.
constexpr HRESULT kInsufficientBuffer = static_cast<HRESULT>(0x8007007Au);
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057u);

constexpr std::size_t kUnbounded = SIZE_MAX;

// Length in units, never looking further than `limit` units.
std::size_t TextLength(const WCHAR* text, std::size_t limit = kUnbounded);
std::size_t TextLength(const char* text, std::size_t limit = kUnbounded);

// Copies `source` (read up to its terminator or `sourceLimit` units, whichever comes first).
HRESULT CopyText(char* dest, std::size_t destBytes, const char* source,
                 std::size_t sourceLimit = kUnbounded);
HRESULT CopyText(WCHAR* dest, std::size_t destUnits, const WCHAR* source,
                 std::size_t sourceLimit = kUnbounded);

// Appends `source` after the text already in `dest`.
HRESULT AppendText(char* dest, std::size_t destBytes, const char* source,
                   std::size_t sourceLimit = kUnbounded);
HRESULT AppendText(WCHAR* dest, std::size_t destUnits, const WCHAR* source,
                   std::size_t sourceLimit = kUnbounded);

// printf-style formatting into `dest`, replacing its content. The C library formats numbers
// with fractions in the decimal point of the host's locale ("12,00" under a German one), so
// the formats here carry integers and text only; fractions go through AppendTwoDecimals.
HRESULT FormatText(char* dest, std::size_t destBytes, const char* format, ...)
    XLR_PRINTF_FORMAT(3, 4);
// printf-style formatting appended after the text already in `dest`: the way a line is
// extended, instead of formatting a buffer into itself.
HRESULT AppendFormat(char* dest, std::size_t destBytes, const char* format, ...)
    XLR_PRINTF_FORMAT(3, 4);
// Appends `value` in fixed notation with exactly two decimals and a point (std::to_chars, so
// the host process's locale never reaches the printer's bytes), rounded to nearest.
HRESULT AppendTwoDecimals(char* dest, std::size_t destBytes, double value);
// Formats 8-bit text and widens it unit by unit into UTF-16; for ASCII results such as numbers
// and dates.
HRESULT FormatText(WCHAR* dest, std::size_t destUnits, const char* format, ...)
    XLR_PRINTF_FORMAT(3, 4);

// Compares ignoring the case of ASCII letters; the plug-in compares against fixed English
// keywords ("RAW", "TRUE", "Mono").
bool EqualNoCase(const WCHAR* left, const WCHAR* right);
bool EqualNoCase(const char* left, const char* right);

}  // namespace xlrender
