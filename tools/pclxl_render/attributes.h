// Typed reads of one operator's attributes. A missing required attribute, or one whose value
// has the wrong shape, throws RenderError naming the attribute.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "affine.h"
#include "pclxl_dump/xl_operator.h"

namespace pclxl_render {

struct Box {
    double x0, y0, x1, y1;
};

class Attributes {
public:
    explicit Attributes(const pclxl_dump::XlOperator& op) : op_(op) {}

    bool Has(std::uint32_t id) const { return op_.Find(id) != nullptr; }
    // Whether the attribute's elements are reals (colour levels then run 0..1, not 0..255).
    bool IsReal(std::uint32_t id) const;

    // A single number (integer or real).
    double Number(std::uint32_t id) const;
    double NumberOr(std::uint32_t id, double fallback) const;
    // A single integer, as enumerations and ids are.
    std::uint32_t Integer(std::uint32_t id) const;
    std::uint32_t IntegerOr(std::uint32_t id, std::uint32_t fallback) const;
    // A number pair (an _xy value).
    Point Pair(std::uint32_t id) const;
    // A box (a _box value): two corners.
    Box Corners(std::uint32_t id) const;
    // A number or a number pair: a pair's two values, or the number twice.
    Point NumberOrPair(std::uint32_t id) const;
    // An array's elements as numbers; a single number counts as an array of one.
    std::vector<double> Numbers(std::uint32_t id) const;
    // An array's elements as text (ubyte or uint16 elements, one character each).
    std::string Text(std::uint32_t id) const;

private:
    const pclxl_dump::XlValue& Required(std::uint32_t id) const;
    [[noreturn]] void WrongShape(std::uint32_t id, const char* wanted) const;

    const pclxl_dump::XlOperator& op_;
};

// `value` as an int, the nearest within int's range (0 for NaN): for ids and indices that a
// stream may give as any number.
int ClampToInt(double value);

// "Name" for an attribute id ("attr 0xNN" without a published name).
std::string AttributeLabel(std::uint32_t id);

}  // namespace pclxl_render
