// Renders the printed pages of a spool file: the spool reader reads it strictly (so rendering
// stops where `dump --strict` would) and hands each operator to the interpreter.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "interpreter.h"
#include "pclxl_dump/byte_source.h"

namespace pclxl_render {

struct RenderOutcome {
    bool succeeded = false;
    std::size_t failureOffset = 0;
    std::string failure;   // what stopped the rendering
    int pagesPrinted = 0;  // pages the file prints up to where it was read
};

RenderOutcome RenderSpool(std::span<const std::uint8_t> bytes, const RenderOptions& options,
                          const PageConsumer& consumer);
// The same, reading `spool` in windows; throws pclxl_dump::SpoolReadError when it cannot be
// read to its end.
RenderOutcome RenderSpool(pclxl_dump::ByteSource& spool, const RenderOptions& options,
                          const PageConsumer& consumer);

}  // namespace pclxl_render
