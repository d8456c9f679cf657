#include "attributes.h"

#include <cstdio>
#include <limits>

#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {

using pclxl_dump::ElementAsNumber;
using pclxl_dump::ElementKind;
using pclxl_dump::XlValue;

std::string AttributeLabel(std::uint32_t id) {
    if (const char* name = pclxl_dump::AttributeName(id)) {
        return name;
    }
    char text[16];
    std::snprintf(text, sizeof text, "attr 0x%02X", id);
    return text;
}

int ClampToInt(double value) {
    constexpr double kLowest = std::numeric_limits<int>::min();
    constexpr double kHighest = std::numeric_limits<int>::max();
    return value >= kLowest && value <= kHighest ? static_cast<int>(value)
           : value > kHighest                    ? std::numeric_limits<int>::max()
           : value < kLowest                     ? std::numeric_limits<int>::min()
                                                 : 0;
}

const XlValue& Attributes::Required(std::uint32_t id) const {
    const XlValue* value = op_.Find(id);
    if (value == nullptr) {
        throw RenderError("the attribute " + AttributeLabel(id) + " is missing");
    }
    return *value;
}

void Attributes::WrongShape(std::uint32_t id, const char* wanted) const {
    throw RenderError("the attribute " + AttributeLabel(id) + " must be " + wanted + ", not " +
                      Required(id).type->name);
}

bool Attributes::IsReal(std::uint32_t id) const {
    return Required(id).type->kind == ElementKind::kReal;
}

double Attributes::Number(std::uint32_t id) const {
    const XlValue& value = Required(id);
    if (value.type->elements != 1) {
        WrongShape(id, "a single number");
    }
    return ElementAsNumber(value, 0);
}

double Attributes::NumberOr(std::uint32_t id, double fallback) const {
    return Has(id) ? Number(id) : fallback;
}

std::uint32_t Attributes::Integer(std::uint32_t id) const {
    std::uint32_t integer = 0;
    if (!pclxl_dump::ScalarInteger(Required(id), integer)) {
        WrongShape(id, "a single integer");
    }
    return integer;
}

std::uint32_t Attributes::IntegerOr(std::uint32_t id, std::uint32_t fallback) const {
    return Has(id) ? Integer(id) : fallback;
}

Point Attributes::Pair(std::uint32_t id) const {
    const XlValue& value = Required(id);
    if (value.type->elements != 2) {
        WrongShape(id, "a number pair");
    }
    return {ElementAsNumber(value, 0), ElementAsNumber(value, 1)};
}

Box Attributes::Corners(std::uint32_t id) const {
    const XlValue& value = Required(id);
    if (value.type->elements != 4) {
        WrongShape(id, "a box");
    }
    return {ElementAsNumber(value, 0), ElementAsNumber(value, 1), ElementAsNumber(value, 2),
            ElementAsNumber(value, 3)};
}

Point Attributes::NumberOrPair(std::uint32_t id) const {
    const XlValue& value = Required(id);
    if (value.type->elements == 1) {
        const double number = ElementAsNumber(value, 0);
        return {number, number};
    }
    return Pair(id);
}

std::vector<double> Attributes::Numbers(std::uint32_t id) const {
    const XlValue& value = Required(id);
    if (value.type->elements > 1) {
        WrongShape(id, "an array");
    }
    std::vector<double> numbers(value.count);
    for (std::size_t i = 0; i < value.count; ++i) {
        numbers[i] = ElementAsNumber(value, i);
    }
    return numbers;
}

std::string Attributes::Text(std::uint32_t id) const {
    const XlValue& value = Required(id);
    if (value.type->elements != 0 || value.type->kind == ElementKind::kReal ||
        value.type->elementSize > 2) {
        WrongShape(id, "a ubyte or uint16 array");
    }
    std::string text;
    for (std::size_t i = 0; i < value.count; ++i) {
        // One byte per character: uint16 elements keep their low byte.
        const auto code = static_cast<std::uint32_t>(ElementAsNumber(value, i));
        text += static_cast<char>(static_cast<std::uint8_t>(code));
    }
    return text;
}

}  // namespace pclxl_render
