// The current path in device pixels: subpaths of points (curves already flattened), each open
// or closed. Points are bounded in number so that no stream can grow it without limit.
#pragma once

#include <cstddef>
#include <vector>

#include "affine.h"
#include "polygon_fill.h"

namespace pclxl_render {

struct Subpath {
    std::vector<Point> points;
    // Per point: whether it lies inside a curve, where the pen turns smoothly rather than
    // drawing the line join (a join belongs only where separate segments meet).
    std::vector<bool> smooth;
    bool closed = false;
};

class Path {
public:
    void Clear() { subpaths_.clear(), pointCount_ = 0, holdsPixels_ = false; }
    bool Empty() const { return subpaths_.empty(); }

    // Starts a subpath at `p` (a lone move leaves nothing to draw).
    void MoveTo(Point p);
    // Extends the open subpath, or starts one at `from` when none is open.
    void LineTo(Point from, Point to);
    // A cubic Bézier from `from` through control points `c1`, `c2` to `to`, flattened.
    void CurveTo(Point from, Point c1, Point c2, Point to);
    void CloseSubpath();
    // Each run of `pixels` as a closed rectangle: character shapes known only as the pixels
    // they cover, which fill and clip exactly but have no outline a pen could follow.
    void AddPixels(const Region& pixels);
    bool HoldsPixels() const { return holdsPixels_; }

    const std::vector<Subpath>& Subpaths() const { return subpaths_; }
    // Every subpath as a closed polygon, as filling and clipping see them.
    std::vector<Polygon> Polygons() const;

private:
    void Add(Point p, bool smooth = false);

    std::vector<Subpath> subpaths_;
    bool open_ = false;  // whether the last subpath takes more points
    std::size_t pointCount_ = 0;
    bool holdsPixels_ = false;
};

}  // namespace pclxl_render
