// Cutting a subpath into the dashes of a dash pattern: the pattern runs on along the line
// across its corners and starts afresh, DashOffset into it, at each subpath.
#pragma once

#include <vector>

#include "path.h"

namespace pclxl_render {

// The "on" pieces of `line` under `pattern` (lengths on, off, on, ...; none negative, their
// sum positive), each an open subpath; the points inside a dash keep their smoothness.
std::vector<Subpath> Dashes(const Subpath& line, const std::vector<double>& pattern, double offset);

}  // namespace pclxl_render
