#include "path.h"

#include <algorithm>
#include <cmath>

#include "render_error.h"

namespace pclxl_render {
namespace {

// More points than any page needs; a stream that asks for more is refused.
constexpr std::size_t kMaxPathPoints = 1'000'000;
// A curve is cut into pieces about this many device pixels long, within these bounds.
constexpr double kCurvePieceLength = 2.0;
constexpr int kMinCurvePieces = 2;
constexpr int kMaxCurvePieces = 256;

double Distance(Point p, Point q) {
    return std::hypot(q.x - p.x, q.y - p.y);
}

}  // namespace

void Path::Add(Point p, bool smooth) {
    if (++pointCount_ > kMaxPathPoints) {
        throw RenderError("the path holds more than " + std::to_string(kMaxPathPoints) + " points");
    }
    subpaths_.back().points.push_back(p);
    subpaths_.back().smooth.push_back(smooth);
}

void Path::MoveTo(Point p) {
    if (!subpaths_.empty() && open_ && subpaths_.back().points.size() == 1) {
        subpaths_.back().points[0] = p;
        return;
    }
    subpaths_.push_back({});
    open_ = true;
    Add(p);
}

void Path::LineTo(Point from, Point to) {
    if (subpaths_.empty() || !open_) {
        MoveTo(from);
    }
    Add(to);
}

void Path::CurveTo(Point from, Point c1, Point c2, Point to) {
    const double length = Distance(from, c1) + Distance(c1, c2) + Distance(c2, to);
    const double wanted = std::isfinite(length) ? length / kCurvePieceLength : kMaxCurvePieces;
    const int pieces =
        static_cast<int>(std::clamp<double>(wanted, kMinCurvePieces, kMaxCurvePieces));
    if (subpaths_.empty() || !open_) {
        MoveTo(from);
    }
    for (int i = 1; i <= pieces; ++i) {
        const double t = static_cast<double>(i) / pieces, s = 1 - t;
        const double w0 = s * s * s, w1 = 3 * s * s * t, w2 = 3 * s * t * t, w3 = t * t * t;
        Add({w0 * from.x + w1 * c1.x + w2 * c2.x + w3 * to.x,
             w0 * from.y + w1 * c1.y + w2 * c2.y + w3 * to.y},
            i < pieces);
    }
}

void Path::CloseSubpath() {
    if (!subpaths_.empty() && open_) {
        subpaths_.back().closed = true;
        open_ = false;
    }
}

void Path::AddPixels(const Region& pixels) {
    for (int y = pixels.Top(); y < pixels.Bottom(); ++y) {
        for (const Run& run : pixels.Row(y)) {
            const double x0 = run.x0, x1 = run.x1, top = y, bottom = y + 1;
            MoveTo({x0, top});
            LineTo({x0, top}, {x1, top});
            LineTo({x1, top}, {x1, bottom});
            LineTo({x1, bottom}, {x0, bottom});
            CloseSubpath();
        }
    }
    holdsPixels_ = true;
}

std::vector<Polygon> Path::Polygons() const {
    std::vector<Polygon> polygons;
    for (const Subpath& subpath : subpaths_) {
        if (subpath.points.size() > 2) {
            polygons.push_back(subpath.points);
        }
    }
    return polygons;
}

}  // namespace pclxl_render
