// Pieces of the interpreter's state that only its handler files need to see.
#pragma once

#include <memory>

#include "interpreter.h"
#include "raster_decoder.h"

namespace pclxl_render {

struct Interpreter::ImageInProgress {
    std::unique_ptr<RasterDecoder> decoder;
    Affine sourceToDevice;
};

struct Interpreter::PatternInProgress {
    std::shared_ptr<RasterDecoder> decoder;
    std::int32_t id = 0;
    RasterPattern pattern;
};

}  // namespace pclxl_render
