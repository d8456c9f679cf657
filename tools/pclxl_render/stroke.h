// The outline a pen of a given width draws along a path, as polygons that fill (non-zero)
// to the stroked pixels: a band along each segment and a round joint at each vertex.
#pragma once

#include <vector>

#include "path.h"

namespace pclxl_render {

// `halfWidth` is in device pixels; strokes are never thinner than one pixel.
std::vector<Polygon> StrokeOutline(const Path& path, double halfWidth);

}  // namespace pclxl_render
