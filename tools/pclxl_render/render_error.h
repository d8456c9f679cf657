// What a handler throws when it cannot draw what an operator asks: the interpreter adds the
// operator's name and byte offset.
#pragma once

#include <stdexcept>
#include <string>

namespace pclxl_render {

class RenderError : public std::runtime_error {
public:
    explicit RenderError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace pclxl_render
