// One PCL XL value as read from a stream: its data type and its elements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "spool_cursor.h"
#include "pclxl_names.h"

namespace pclxl_dump {

struct XlValue {
    const DataType* type = nullptr;
    std::size_t count = 0;                 // elements in the value (array count, or 1, 2, 4)
    std::vector<std::uint32_t> elements;   // the first kKeptElements elements' raw bits
    // Every element, little-endian, as the file holds them. While the reader reads on, this
    // points into its window; the operator handed to a sink points to where the bytes are held.
    std::span<const std::uint8_t> bytes;
};

// Arrays longer than this are shown by their first elements only.
constexpr std::size_t kKeptElements = 256;

// Reads the value that tag `tag` (already consumed) introduces. On a value cut short or an
// array count without its uint16/ubyte tag, returns false with `error` set; nothing past the
// end of the cursor's span is read.
bool ReadValue(SpoolCursor& cursor, std::uint8_t tag, XlValue& value, std::string& error);

// Element `index` (below `count`) as a number, whatever the value's element type.
double ElementAsNumber(const XlValue& value, std::size_t index);

// The single element of a scalar integer value; false for arrays, pairs, boxes and reals.
bool ScalarInteger(const XlValue& value, std::uint32_t& integer);

// The value as shown after "Name=": numbers, (x, y) pairs, boxes, quoted text for printable
// ubyte arrays, enumeration names where attribute `attribute` has them.
std::string FormatValue(std::uint32_t attribute, const XlValue& value);

}  // namespace pclxl_dump
