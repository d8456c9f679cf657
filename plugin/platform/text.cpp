#include "platform/text.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace xlrender {
namespace {

template <typename Unit>
std::size_t LengthOf(const Unit* text, std::size_t limit) {
    std::size_t length = 0;
    while (length < limit && text[length] != 0) {
        ++length;
    }
    return length;
}

// Copies into dest + offset; `dest` holds `destUnits` units of which `offset` are in use.
template <typename Unit>
HRESULT CopyAt(Unit* dest, std::size_t destUnits, std::size_t offset, const Unit* source,
               std::size_t sourceLimit) {
    const std::size_t sourceLength = LengthOf(source, sourceLimit);
    const std::size_t room = destUnits - 1 - offset;
    const std::size_t copied = sourceLength < room ? sourceLength : room;
    for (std::size_t i = 0; i < copied; ++i) {
        dest[offset + i] = source[i];
    }
    dest[offset + copied] = 0;
    return copied == sourceLength ? S_OK : kInsufficientBuffer;
}

template <typename Unit>
HRESULT Copy(Unit* dest, std::size_t destUnits, const Unit* source, std::size_t sourceLimit) {
    if (dest == nullptr || destUnits == 0 || source == nullptr) {
        return kInvalidArgument;
    }
    return CopyAt(dest, destUnits, 0, source, sourceLimit);
}

template <typename Unit>
HRESULT Append(Unit* dest, std::size_t destUnits, const Unit* source, std::size_t sourceLimit) {
    if (dest == nullptr || destUnits == 0 || source == nullptr) {
        return kInvalidArgument;
    }
    const std::size_t used = LengthOf(dest, destUnits);
    if (used == destUnits) {  // the destination was not terminated within its bound
        return kInvalidArgument;
    }
    return CopyAt(dest, destUnits, used, source, sourceLimit);
}

HRESULT FormatAt(char* dest, std::size_t destBytes, std::size_t offset, const char* format,
                 va_list arguments) {
    const std::size_t room = destBytes - offset;
    const int written = std::vsnprintf(dest + offset, room, format, arguments);
    if (written < 0) {
        dest[offset] = 0;
        return kInvalidArgument;
    }
    return static_cast<std::size_t>(written) < room ? S_OK : kInsufficientBuffer;
}

template <typename Unit>
bool EqualIgnoringAsciiCase(const Unit* left, const Unit* right) {
    const auto fold = [](Unit unit) {
        return (unit >= 'a' && unit <= 'z') ? static_cast<Unit>(unit - 'a' + 'A') : unit;
    };
    if (left == nullptr || right == nullptr) {
        return false;
    }
    for (;; ++left, ++right) {
        if (fold(*left) != fold(*right)) {
            return false;
        }
        if (*left == 0) {
            return true;
        }
    }
}

}  // namespace

std::size_t TextLength(const WCHAR* text, std::size_t limit) {
    return text == nullptr ? 0 : LengthOf(text, limit);
}

std::size_t TextLength(const char* text, std::size_t limit) {
    return text == nullptr ? 0 : LengthOf(text, limit);
}

HRESULT CopyText(char* dest, std::size_t destBytes, const char* source, std::size_t sourceLimit) {
    return Copy(dest, destBytes, source, sourceLimit);
}

HRESULT CopyText(WCHAR* dest, std::size_t destUnits, const WCHAR* source,
                 std::size_t sourceLimit) {
    return Copy(dest, destUnits, source, sourceLimit);
}

HRESULT AppendText(char* dest, std::size_t destBytes, const char* source,
                   std::size_t sourceLimit) {
    return Append(dest, destBytes, source, sourceLimit);
}

HRESULT AppendText(WCHAR* dest, std::size_t destUnits, const WCHAR* source,
                   std::size_t sourceLimit) {
    return Append(dest, destUnits, source, sourceLimit);
}

HRESULT FormatText(char* dest, std::size_t destBytes, const char* format, ...) {
    if (dest == nullptr || destBytes == 0 || format == nullptr) {
        return kInvalidArgument;
    }
    va_list arguments;
    va_start(arguments, format);
    const HRESULT result = FormatAt(dest, destBytes, 0, format, arguments);
    va_end(arguments);
    return result;
}

HRESULT AppendFormat(char* dest, std::size_t destBytes, const char* format, ...) {
    if (dest == nullptr || destBytes == 0 || format == nullptr) {
        return kInvalidArgument;
    }
    const std::size_t used = LengthOf(dest, destBytes);
    if (used == destBytes) {
        return kInvalidArgument;
    }
    va_list arguments;
    va_start(arguments, format);
    const HRESULT result = FormatAt(dest, destBytes, used, format, arguments);
    va_end(arguments);
    return result;
}

HRESULT AppendTwoDecimals(char* dest, std::size_t destBytes, double value) {
    constexpr int kDecimals = 2;
    // Room for every double in fixed notation: 309 integer digits, a sign, a point, decimals.
    constexpr std::size_t kFixedBytes = 320;
    char digits[kFixedBytes];
    const std::to_chars_result written = std::to_chars(
        digits, digits + sizeof digits - 1, value, std::chars_format::fixed, kDecimals);
    if (written.ec != std::errc()) {
        return kInvalidArgument;
    }
    *written.ptr = 0;
    return AppendText(dest, destBytes, digits);
}

HRESULT FormatText(WCHAR* dest, std::size_t destUnits, const char* format, ...) {
    if (dest == nullptr || destUnits == 0 || format == nullptr) {
        return kInvalidArgument;
    }
    constexpr std::size_t kScratchBytes = 512;
    char scratch[kScratchBytes];
    va_list arguments;
    va_start(arguments, format);
    const HRESULT formatted = FormatAt(scratch, kScratchBytes, 0, format, arguments);
    va_end(arguments);
    if (formatted == kInvalidArgument) {
        dest[0] = 0;
        return formatted;
    }
    const std::size_t length = LengthOf(scratch, kScratchBytes);
    const std::size_t copied = length < destUnits - 1 ? length : destUnits - 1;
    for (std::size_t i = 0; i < copied; ++i) {
        dest[i] = static_cast<WCHAR>(static_cast<unsigned char>(scratch[i]));
    }
    dest[copied] = 0;
    return (copied == length && formatted == S_OK) ? S_OK : kInsufficientBuffer;
}

bool EqualNoCase(const WCHAR* left, const WCHAR* right) {
    return EqualIgnoringAsciiCase(left, right);
}

bool EqualNoCase(const char* left, const char* right) {
    return EqualIgnoringAsciiCase(left, right);
}

}  // namespace xlrender
