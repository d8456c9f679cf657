// How the pen draws a path's outline: the ends of open lines (caps), the corners where
// segments meet (joins), how far a miter may reach, and the dash pattern. Part of the
// graphics state; lengths are in user units, so they scale with the page as the path does.
#pragma once

#include <vector>

namespace pclxl_render {

// In the order of the LineCapStyle and LineJoinStyle enumerations.
enum class LineCap { kButt, kRound, kSquare, kTriangle };
enum class LineJoin { kMiter, kRound, kBevel, kNone };

constexpr double kDefaultMiterLimit = 10;

struct LineStyle {
    LineCap cap = LineCap::kButt;
    LineJoin join = LineJoin::kMiter;
    double miterLimit = kDefaultMiterLimit;  // longest miter, in pen widths
    std::vector<double> dashes;              // on, off, on, ...; empty for a solid line
    double dashOffset = 0;                   // how far into the pattern a line starts
};

}  // namespace pclxl_render
