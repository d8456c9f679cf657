#include "xl_operator.h"

namespace pclxl_dump {

const XlValue* XlOperator::Find(std::uint32_t id) const {
    for (const XlAttribute& attribute : attributes) {
        if (attribute.id == id) {
            return &attribute.value;
        }
    }
    return nullptr;
}

}  // namespace pclxl_dump
