// The named fields of the private devmode as `xlrender devmode show` lists them.
#pragma once

#include <cstddef>
#include <span>

namespace xlrender::tool {

enum class FieldKind {
    kUnsigned,    // 32-bit, decimal
    kSigned,      // 32-bit, decimal
    kShort,       // 16-bit signed, decimal
    kFloat,       // 32-bit IEEE
    kFlags,       // 32-bit, hexadecimal
    kSignature,   // four characters
    kWideText,    // UTF-16, `size` bytes
    kNarrowText,  // 8-bit, `size` bytes
    kWords,       // a table of 32-bit values, hexadecimal
};

struct DevmodeField {
    const char* name;
    std::size_t offset;
    std::size_t size;
    FieldKind kind;
};

// Sorted by offset; bytes between them are carried values or reserved bytes.
std::span<const DevmodeField> DevmodeFields();

}  // namespace xlrender::tool
