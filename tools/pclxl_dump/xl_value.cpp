#include "xl_value.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace pclxl_dump {
namespace {

// Elements shown before an array is cut off in the listing.
constexpr std::size_t kShownElements = 32;
constexpr std::uint32_t kAttributeROP3 = 0x2C;

std::string Hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string FormatElement(const DataType& type, std::uint32_t bits) {
    char text[32];
    switch (type.kind) {
        case ElementKind::kReal:
            std::snprintf(text, sizeof text, "%g",
                          static_cast<double>(std::bit_cast<float>(bits)));
            break;
        case ElementKind::kSigned: {
            const std::int32_t value = type.elementSize == 2
                                           ? static_cast<std::int16_t>(bits)
                                           : static_cast<std::int32_t>(bits);
            std::snprintf(text, sizeof text, "%d", value);
            break;
        }
        case ElementKind::kUnsigned:
            std::snprintf(text, sizeof text, "%u", bits);
            break;
    }
    return text;
}

bool IsPrintableText(const XlValue& value) {
    if (value.count == 0) {
        return false;
    }
    for (std::uint32_t byte : value.elements) {
        if (byte < 0x20 || byte > 0x7E) {
            return false;
        }
    }
    return true;
}

std::string QuotedText(const XlValue& value) {
    std::string text = "\"";
    for (std::uint32_t byte : value.elements) {
        if (byte == '"' || byte == '\\') {
            text += '\\';
        }
        text += static_cast<char>(byte);
    }
    text += '"';
    if (value.count > value.elements.size()) {
        text += "... (" + std::to_string(value.count) + " bytes)";
    }
    return text;
}

std::string FormatArray(const XlValue& value) {
    const bool bytes = value.type->elementSize == 1 && value.type->kind == ElementKind::kUnsigned;
    std::string text = bytes ? "<" : "[";
    const std::size_t shown = std::min({value.count, value.elements.size(), kShownElements});
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0) {
            text += bytes ? " " : ", ";
        }
        if (bytes) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X", value.elements[i]);
            text += hex;
        } else {
            text += FormatElement(*value.type, value.elements[i]);
        }
    }
    if (shown < value.count) {
        text += (bytes ? " ... " : ", ... ") + std::to_string(value.count) + " elements";
    }
    return text + (bytes ? ">" : "]");
}

}  // namespace

bool ReadValue(SpoolCursor& cursor, std::uint8_t tag, XlValue& value, std::string& error) {
    value = XlValue{};
    value.type = FindDataType(tag);
    if (value.type == nullptr) {
        error = "unknown data type tag " + Hex(tag, 2);
        return false;
    }
    std::size_t count = value.type->elements;
    if (count == 0) {
        if (cursor.AtEnd()) {
            error = std::string(value.type->name) + " cut short before its element count";
            return false;
        }
        const std::uint8_t countTag = cursor.Peek();
        const std::size_t countSize =
            countTag == kTagCountUInt16 ? 2 : countTag == kTagCountUByte ? 1 : 0;
        if (countSize == 0) {
            error = std::string(value.type->name) +
                    " element count must be a uint16 (0xC1) or ubyte (0xC0), found " +
                    Hex(countTag, 2);
            return false;
        }
        std::uint32_t declared = 0;
        if (!cursor.Has(1 + countSize)) {
            error = std::string(value.type->name) + " element count cut short";
            return false;
        }
        cursor.Skip(1);
        cursor.ReadLittle(countSize, declared);
        count = declared;
    }
    const std::size_t size = count * value.type->elementSize;
    if (!cursor.Has(size)) {
        error = std::string(value.type->name) + " cut short: " + std::to_string(count) +
                (count == 1 ? " element needs " : " elements need ") + std::to_string(size) +
                " bytes, " + std::to_string(cursor.remaining()) + " left";
        return false;
    }
    value.count = count;
    value.bytes = cursor.Window(size);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t bits = 0;
        cursor.ReadLittle(value.type->elementSize, bits);
        if (i < kKeptElements) {
            value.elements.push_back(bits);
        }
    }
    return true;
}

double ElementAsNumber(const XlValue& value, std::size_t index) {
    const DataType& type = *value.type;
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < type.elementSize; ++i) {
        bits |= static_cast<std::uint32_t>(value.bytes[index * type.elementSize + i]) << (8 * i);
    }
    switch (type.kind) {
        case ElementKind::kReal: return static_cast<double>(std::bit_cast<float>(bits));
        case ElementKind::kSigned:
            return type.elementSize == 2 ? static_cast<std::int16_t>(bits)
                                         : static_cast<std::int32_t>(bits);
        case ElementKind::kUnsigned: break;
    }
    return bits;
}

bool ScalarInteger(const XlValue& value, std::uint32_t& integer) {
    if (value.type == nullptr || value.type->elements != 1 ||
        value.type->kind == ElementKind::kReal || value.elements.empty()) {
        return false;
    }
    integer = value.elements[0];
    return true;
}

std::string FormatValue(std::uint32_t attribute, const XlValue& value) {
    const DataType& type = *value.type;
    if (type.elements == 0) {
        return IsPrintableText(value) && type.elementSize == 1 ? QuotedText(value)
                                                               : FormatArray(value);
    }
    if (type.elements == 1) {
        std::uint32_t integer = 0;
        if (ScalarInteger(value, integer)) {
            if (attribute == kAttributeROP3) {
                return Hex(integer, 2);
            }
            if (const char* name = EnumerationName(attribute, integer)) {
                return name;
            }
        }
        return FormatElement(type, value.elements[0]);
    }
    std::string text = "(";
    for (std::size_t i = 0; i < value.elements.size(); ++i) {
        text += (i > 0 ? ", " : "") + FormatElement(type, value.elements[i]);
    }
    return text + ")";
}

}  // namespace pclxl_dump
