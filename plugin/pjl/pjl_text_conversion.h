// Conversion of the plug-in's UTF-16 text into the 8-bit bytes a PJL line carries.
#pragma once

#include <cstddef>

#include "platform/text.h"
#include "platform/win32_api.h"

namespace xlrender {

// The 8-bit form a value takes on its way into a PJL line.
enum class PjlCharset {
    kUtf8,
    kAnsi,  // the system's ANSI code page
};

// Converted text in a zero-filled block of the plug-in's allocator, terminated, freed when the
// object goes. An object that holds no block stands for a failed conversion.
class OwnedPjlText {
public:
    OwnedPjlText() = default;
    OwnedPjlText(OwnedPjlText&& other) noexcept;
    OwnedPjlText& operator=(OwnedPjlText&& other) noexcept;
    OwnedPjlText(const OwnedPjlText&) = delete;
    OwnedPjlText& operator=(const OwnedPjlText&) = delete;
    ~OwnedPjlText();

    // A copy of `length` bytes of `bytes`, terminated; no block when the heap refuses.
    static OwnedPjlText CopyOf(const char* bytes, std::size_t length, PjlCharset charset);

    bool ok() const { return bytes_ != nullptr; }
    const char* bytes() const { return bytes_; }
    std::size_t length() const { return length_; }
    PjlCharset charset() const { return charset_; }

private:
    friend OwnedPjlText ConvertForPjl(const WCHAR*, PjlCharset, std::size_t);
    // Takes over a block of the plug-in's allocator holding `length` bytes and a terminator.
    OwnedPjlText(char* bytes, std::size_t length, PjlCharset charset)
        : bytes_(bytes), length_(length), charset_(charset) {}

    char* bytes_ = nullptr;
    std::size_t length_ = 0;
    PjlCharset charset_ = PjlCharset::kUtf8;
};

// Converts `text` (up to its terminator, never more than `sourceLimit` units) into `charset`.
// The ANSI conversion never maps a character to a look-alike ("best fit"): a look-alike of a
// double quote would otherwise become a real one inside a quoted value. Fails (an object
// without a block) for a null text, a refused conversion or a refused allocation.
OwnedPjlText ConvertForPjl(const WCHAR* text, PjlCharset charset,
                           std::size_t sourceLimit = kUnbounded);

}  // namespace xlrender
