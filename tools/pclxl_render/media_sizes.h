// The sheet sizes BeginPage names with MediaSize, in inches (portrait: width below height).
#pragma once

#include <cstdint>
#include <optional>

#include "affine.h"

namespace pclxl_render {

std::optional<Point> NamedMediaSize(std::uint32_t mediaSize);

}  // namespace pclxl_render
