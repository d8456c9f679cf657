#include "stroke.h"

#include <algorithm>
#include <cmath>

#include "dash.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

constexpr double kThinnestDeviceWidth = 1.0;
// Round caps and joins are polygons whose sides are about this many device pixels long.
constexpr double kRoundSideLength = 2.0;
constexpr int kMinRoundSides = 8;
constexpr int kMaxRoundSides = 128;
// More outline points than any page's strokes need (about 128 MB); a stream that asks for
// more, with a wide pen on a huge path or a pattern of tiny dashes, is refused.
constexpr std::size_t kMaxOutlinePoints = 8'000'000;

// What the pen looks like in user space.
struct Pen {
    double halfWidth;
    int roundSides;
    const LineStyle& style;
};

// The largest and smallest factors by which `ctm` stretches a user-space length.
Point Stretches(const Affine& ctm) {
    const double sum = ctm.a * ctm.a + ctm.b * ctm.b + ctm.c * ctm.c + ctm.d * ctm.d;
    const double det = ctm.Determinant();
    const double root = std::sqrt(std::max(0.0, sum * sum - 4 * det * det));
    return {std::sqrt((sum + root) / 2), std::sqrt(std::max(0.0, (sum - root) / 2))};
}

Point Plus(Point p, Point q, double scale = 1) {
    return {p.x + q.x * scale, p.y + q.y * scale};
}

// The unit vector from `p` towards `q`.
Point Direction(Point p, Point q) {
    const double length = std::hypot(q.x - p.x, q.y - p.y);
    return {(q.x - p.x) / length, (q.y - p.y) / length};
}

// The unit normal to the left of direction `d` (in a y-up reading).
Point Normal(Point d) {
    return {-d.y, d.x};
}

double SignedArea(const Polygon& polygon) {
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point p = polygon[i], q = polygon[(i + 1) % polygon.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return twice / 2;
}

// The pieces of a stroke's outline, and how many points they hold.
struct Outline {
    std::vector<Polygon> polygons;
    std::size_t points = 0;
};

// All pieces turn the same way, so that non-zero winding fills their union.
void AddOriented(Outline& outline, Polygon polygon) {
    outline.points += polygon.size();
    if (outline.points > kMaxOutlinePoints) {
        throw RenderError("the stroke's outline needs more than " +
                          std::to_string(kMaxOutlinePoints) + " points");
    }
    if (SignedArea(polygon) < 0) {
        std::reverse(polygon.begin(), polygon.end());
    }
    outline.polygons.push_back(std::move(polygon));
}

void AddDisc(Outline& outline, Point centre, const Pen& pen) {
    Polygon disc;
    for (int i = 0; i < pen.roundSides; ++i) {
        const double angle = 2 * M_PI * i / pen.roundSides;
        disc.push_back(Plus(centre, {std::cos(angle), std::sin(angle)}, pen.halfWidth));
    }
    AddOriented(outline, std::move(disc));
}

// The end of a line at `end`, where `out` points away from the line.
void AddCap(Outline& outline, Point end, Point out, const Pen& pen) {
    const Point side = Normal(out);
    const double w = pen.halfWidth;
    switch (pen.style.cap) {
        case LineCap::kButt:
            return;
        case LineCap::kRound:
            return AddDisc(outline, end, pen);
        case LineCap::kSquare:
            return AddOriented(outline, {Plus(end, side, w), Plus(Plus(end, side, w), out, w),
                                         Plus(Plus(end, side, -w), out, w), Plus(end, side, -w)});
        case LineCap::kTriangle:
            return AddOriented(outline,
                               {Plus(end, side, w), Plus(end, out, w), Plus(end, side, -w)});
    }
}

// The corner at `at` between a segment running along `in` and the next along `out`.
void AddJoin(Outline& outline, Point at, Point in, Point out, bool smooth, const Pen& pen) {
    const double w = pen.halfWidth;
    const double turn = in.x * out.y - in.y * out.x;
    const double cosine = in.x * out.x + in.y * out.y;
    // The outer side of the corner, where the two segments' bands leave a notch.
    const double outer = turn > 0 ? -1 : 1;
    const Point n1 = Normal(in), n2 = Normal(out);
    const Point p1 = Plus(at, n1, outer * w), p2 = Plus(at, n2, outer * w);
    const LineJoin join = smooth ? LineJoin::kBevel : pen.style.join;
    switch (join) {
        case LineJoin::kNone:
            return;
        case LineJoin::kRound:
            return AddDisc(outline, at, pen);
        case LineJoin::kMiter: {
            // The miter's length over the pen's width is 1 / cos(turn angle / 2).
            const double halfTurnCosine = std::sqrt(std::max(0.0, (1 + cosine) / 2));
            if (halfTurnCosine > 0 && 1 / halfTurnCosine <= pen.style.miterLimit) {
                const Point tip = Plus(at, Plus(n1, n2), outer * w / (1 + cosine));
                return AddOriented(outline, {at, p1, tip, p2});
            }
            [[fallthrough]];
        }
        case LineJoin::kBevel:
            if (turn != 0) {
                AddOriented(outline, {at, p1, p2});
            }
            return;
    }
}

// `line` in user space, with no two neighbouring points equal.
void StrokeLine(Outline& outline, const Subpath& line, const Pen& pen) {
    const std::vector<Point>& points = line.points;
    const std::size_t count = points.size();
    const std::size_t segments = line.closed ? count : count - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const Point p = points[i], q = points[(i + 1) % count];
        const Point side = Normal(Direction(p, q));
        AddOriented(outline, {Plus(p, side, pen.halfWidth), Plus(q, side, pen.halfWidth),
                              Plus(q, side, -pen.halfWidth), Plus(p, side, -pen.halfWidth)});
    }
    const std::size_t first = line.closed ? 0 : 1;
    const std::size_t last = line.closed ? count : count - 1;
    for (std::size_t i = first; i < last; ++i) {
        const Point before = points[(i + count - 1) % count], at = points[i];
        const Point after = points[(i + 1) % count];
        AddJoin(outline, at, Direction(before, at), Direction(at, after), line.smooth[i], pen);
    }
    if (!line.closed) {
        AddCap(outline, points[0], Direction(points[1], points[0]), pen);
        AddCap(outline, points[count - 1], Direction(points[count - 2], points[count - 1]), pen);
    }
}

// `subpath` taken to user space, without repeated points.
Subpath ToUserSpace(const Subpath& subpath, const Affine& toUser) {
    Subpath user;
    user.closed = subpath.closed;
    for (std::size_t i = 0; i < subpath.points.size(); ++i) {
        const Point p = toUser.Apply(subpath.points[i]);
        if (!std::isfinite(p.x + p.y)) {
            continue;
        }
        if (!user.points.empty() && p.x == user.points.back().x && p.y == user.points.back().y) {
            continue;
        }
        user.points.push_back(p);
        user.smooth.push_back(subpath.smooth[i]);
    }
    if (user.closed && user.points.size() > 1 && user.points.front().x == user.points.back().x &&
        user.points.front().y == user.points.back().y) {
        user.points.pop_back();
        user.smooth.pop_back();
    }
    return user;
}

}  // namespace

std::vector<Polygon> StrokeOutline(const Path& path, double penWidth, const LineStyle& style,
                                   const Affine& ctm, int width, int height) {
    const Point stretches = Stretches(ctm);
    const double thinnest = kThinnestDeviceWidth / 2 / stretches.y;
    const double halfWidth = std::max(penWidth / 2, thinnest);
    const double deviceCircumference = 2 * M_PI * halfWidth * stretches.x;
    const Pen pen{halfWidth,
                  static_cast<int>(std::clamp<double>(deviceCircumference / kRoundSideLength,
                                                      kMinRoundSides, kMaxRoundSides)),
                  style};
    const Affine toUser = ctm.Inverse();
    Outline outline;
    for (const Subpath& subpath : path.Subpaths()) {
        const Subpath line = ToUserSpace(subpath, toUser);
        if (line.points.size() < 2) {
            continue;
        }
        if (style.dashes.empty()) {
            StrokeLine(outline, line, pen);
            continue;
        }
        for (const Subpath& dash : Dashes(line, style.dashes, style.dashOffset)) {
            const Subpath piece = ToUserSpace(dash, Affine{});
            if (piece.points.size() >= 2) {
                StrokeLine(outline, piece, pen);
            }
        }
    }
    for (Polygon& polygon : outline.polygons) {
        for (Point& p : polygon) {
            p = ctm.Apply(p);
        }
    }
    // A huge page scale can throw most of a stroke far off the page, where filling its
    // pieces row by row would only waste time.
    std::erase_if(outline.polygons, [width, height](const Polygon& polygon) {
        double left = polygon[0].x, right = left, top = polygon[0].y, bottom = top;
        for (const Point& p : polygon) {
            left = std::min(left, p.x), right = std::max(right, p.x);
            top = std::min(top, p.y), bottom = std::max(bottom, p.y);
        }
        return !(right >= 0 && left <= width && bottom >= 0 && top <= height);
    });
    return std::move(outline.polygons);
}

}  // namespace pclxl_render
