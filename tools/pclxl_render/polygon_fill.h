// Which device pixels a set of closed polygons covers: a pixel belongs to the shape when its
// centre does, under the non-zero winding or the even-odd rule (no anti-aliasing, as on paper).
#pragma once

#include <vector>

#include "affine.h"
#include "region.h"

namespace pclxl_render {

enum class FillRule { kNonZeroWinding, kEvenOdd };

using Polygon = std::vector<Point>;  // closed: the last point joins the first

// The pixels of [0, width) x [0, height) inside `polygons`.
Region FillPolygons(const std::vector<Polygon>& polygons, FillRule rule, int width, int height);

}  // namespace pclxl_render
