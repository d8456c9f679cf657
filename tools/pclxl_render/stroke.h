// The outline a pen draws along a path, as polygons that fill (non-zero) to the stroked
// pixels. The pen is laid down in user space, so that its width, caps, joins, miters and
// dashes turn and stretch with the page as the path does, and the outline is then taken to
// device pixels.
#pragma once

#include <vector>

#include "line_style.h"
#include "path.h"

namespace pclxl_render {

// `path` is in device pixels, `ctm` (invertible) takes user space to them and `penWidth` is
// in user units. Strokes are never thinner than one device pixel. Pieces that lie wholly off
// the page of `width` x `height` pixels are left out.
std::vector<Polygon> StrokeOutline(const Path& path, double penWidth, const LineStyle& style,
                                   const Affine& ctm, int width, int height);

}  // namespace pclxl_render
