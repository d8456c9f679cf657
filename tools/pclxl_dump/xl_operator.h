// The structured reading of a PCL XL stream: each operator with the offset it starts at, its
// attributes as typed values and the embedded data after it. The listing is made from these,
// and the page renderer draws from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "xl_value.h"

namespace pclxl_dump {

struct XlAttribute {
    std::uint32_t id;
    XlValue value;
};

struct XlOperator {
    std::size_t offset = 0;  // where its first attribute starts, or the operator byte
    std::uint8_t code = 0;
    std::vector<XlAttribute> attributes;
    bool hasData = false;
    std::span<const std::uint8_t> data;  // the embedded data block after it, if any

    // The value of attribute `id`, or null when the operator does not carry it.
    const XlValue* Find(std::uint32_t id) const;
};

// Receives the operators of a read as they complete (with their data).
class XlOperatorSink {
public:
    virtual ~XlOperatorSink() = default;
    // Takes one operator; answers false to end the reading there.
    virtual bool Take(const XlOperator& op) = 0;
};

}  // namespace pclxl_dump
