#include "stroke.h"

#include <algorithm>
#include <cmath>

namespace pclxl_render {
namespace {

constexpr double kThinnestHalfWidth = 0.5;
constexpr int kJointSides = 12;
// Below this half width the bands of neighbouring segments already meet.
constexpr double kThinnestJointedHalfWidth = 1.5;

double SignedArea(const Polygon& polygon) {
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point p = polygon[i], q = polygon[(i + 1) % polygon.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return twice / 2;
}

// All pieces turn the same way, so that non-zero winding fills their union.
void AddOriented(std::vector<Polygon>& outline, Polygon polygon) {
    if (SignedArea(polygon) < 0) {
        std::reverse(polygon.begin(), polygon.end());
    }
    outline.push_back(std::move(polygon));
}

void AddBand(std::vector<Polygon>& outline, Point p, Point q, double halfWidth) {
    const double length = std::hypot(q.x - p.x, q.y - p.y);
    if (length == 0 || !std::isfinite(length)) {
        return;
    }
    const double nx = -(q.y - p.y) / length * halfWidth;
    const double ny = (q.x - p.x) / length * halfWidth;
    AddOriented(
        outline,
        {{p.x + nx, p.y + ny}, {q.x + nx, q.y + ny}, {q.x - nx, q.y - ny}, {p.x - nx, p.y - ny}});
}

void AddJoint(std::vector<Polygon>& outline, Point centre, double halfWidth) {
    Polygon joint;
    for (int i = 0; i < kJointSides; ++i) {
        const double angle = 2 * M_PI * i / kJointSides;
        joint.push_back(
            {centre.x + halfWidth * std::cos(angle), centre.y + halfWidth * std::sin(angle)});
    }
    AddOriented(outline, std::move(joint));
}

}  // namespace

std::vector<Polygon> StrokeOutline(const Path& path, double halfWidth) {
    halfWidth = std::max(halfWidth, kThinnestHalfWidth);
    std::vector<Polygon> outline;
    for (const Subpath& subpath : path.Subpaths()) {
        const auto& points = subpath.points;
        const std::size_t segments = subpath.closed ? points.size() : points.size() - 1;
        for (std::size_t i = 0; i < segments; ++i) {
            AddBand(outline, points[i], points[(i + 1) % points.size()], halfWidth);
        }
        // Joints where segments meet; the open ends keep butt caps.
        if (halfWidth < kThinnestJointedHalfWidth) {
            continue;
        }
        const std::size_t first = subpath.closed ? 0 : 1;
        const std::size_t last = subpath.closed ? points.size() : points.size() - 1;
        for (std::size_t i = first; i < last; ++i) {
            AddJoint(outline, points[i], halfWidth);
        }
    }
    return outline;
}

}  // namespace pclxl_render
