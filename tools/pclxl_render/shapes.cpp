#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace pclxl_render {
namespace {

constexpr double kTurn = 2 * M_PI;
constexpr double kQuarterTurn = M_PI / 2;

// The ellipse inscribed in a box, with a parameter t that runs counter-clockwise on the page
// (y grows downwards): point(t) = centre + (rx cos t, -ry sin t).
struct Ellipse {
    Point centre;
    double rx, ry;
    bool halfTurned;  // the box runs right to left
    bool reversed;    // exactly one of its sides runs backwards

    explicit Ellipse(const Box& box)
        : centre{(box.x0 + box.x1) / 2, (box.y0 + box.y1) / 2},
          rx(std::abs(box.x1 - box.x0) / 2),
          ry(std::abs(box.y1 - box.y0) / 2),
          halfTurned(box.x0 > box.x1),
          reversed((box.x0 > box.x1) != (box.y0 > box.y1)) {}

    Point At(double t) const { return {centre.x + rx * std::cos(t), centre.y - ry * std::sin(t)}; }
    Point Tangent(double t) const { return {-rx * std::sin(t), -ry * std::cos(t)}; }
    // The parameter where the ray from the centre through `p` meets the ellipse.
    double ParameterOf(Point p) const {
        const double t = std::atan2(-(p.y - centre.y) / ry, (p.x - centre.x) / rx);
        return std::isfinite(t) ? t : 0;
    }
};

// Appends the ellipse from parameter `from` through the signed angle `sweep`, in pieces of at
// most a quarter turn (each off the true ellipse by well under a thousandth of its radius).
void AddArc(Shape& shape, const Ellipse& ellipse, double from, double sweep) {
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / kQuarterTurn)));
    const double step = sweep / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    for (int i = 0; i < pieces; ++i) {
        const double t0 = from + step * i, t1 = t0 + step;
        const Point p0 = ellipse.At(t0), p1 = ellipse.At(t1);
        const Point d0 = ellipse.Tangent(t0), d1 = ellipse.Tangent(t1);
        shape.segments.push_back(
            {true, {p0.x + k * d0.x, p0.y + k * d0.y}, {p1.x - k * d1.x, p1.y - k * d1.y}, p1});
    }
}

// The arc's first parameter and signed sweep.
std::pair<double, double> ArcSpan(const Ellipse& ellipse, Point startPoint, Point endPoint,
                                  ArcTurn turn) {
    double from = ellipse.ParameterOf(startPoint), to = ellipse.ParameterOf(endPoint);
    if (ellipse.halfTurned) {
        from += M_PI, to += M_PI;
    }
    // The counter-clockwise angle from start to end, in (0, 2 pi]: a whole turn when they meet.
    double counter = std::fmod(to - from, kTurn);
    if (counter <= 0) {
        counter += kTurn;
    }
    double sweep = turn == ArcTurn::kCounterClockwise ? counter : counter - kTurn;
    if (sweep == 0) {
        sweep = -kTurn;
    }
    if (ellipse.reversed) {
        return {from + sweep, -sweep};
    }
    return {from, sweep};
}

Shape OpenArc(const Ellipse& ellipse, Point startPoint, Point endPoint, ArcTurn turn) {
    const auto [from, sweep] = ArcSpan(ellipse, startPoint, endPoint, turn);
    Shape shape{ellipse.At(from), {}, false};
    AddArc(shape, ellipse, from, sweep);
    return shape;
}

ShapeSegment Line(Point to) {
    return {false, {}, {}, to};
}

}  // namespace

Shape ArcShape(const Box& box, Point startPoint, Point endPoint, ArcTurn turn) {
    return OpenArc(Ellipse(box), startPoint, endPoint, turn);
}

Shape ChordShape(const Box& box, Point startPoint, Point endPoint, ArcTurn turn) {
    Shape shape = OpenArc(Ellipse(box), startPoint, endPoint, turn);
    shape.closed = true;
    return shape;
}

Shape PieShape(const Box& box, Point startPoint, Point endPoint, ArcTurn turn) {
    const Ellipse ellipse(box);
    const Shape arc = OpenArc(ellipse, startPoint, endPoint, turn);
    Shape shape{ellipse.centre, {Line(arc.start)}, true};
    shape.segments.insert(shape.segments.end(), arc.segments.begin(), arc.segments.end());
    return shape;
}

Shape EllipseShape(const Box& box) {
    const Ellipse ellipse(box);
    const double from = ellipse.halfTurned ? 0 : M_PI;
    Shape shape{ellipse.At(from), {}, true};
    AddArc(shape, ellipse, from, ellipse.reversed ? -kTurn : kTurn);
    return shape;
}

Shape RoundRectangleShape(const Box& box, Point corner) {
    const double rx = std::clamp(corner.x / 2, 0.0, (box.x1 - box.x0) / 2);
    const double ry = std::clamp(corner.y / 2, 0.0, (box.y1 - box.y0) / 2);
    // The corner ellipses, each in its own box, met at the corner's quarter.
    const auto corner_arc = [&](Shape& shape, double cx, double cy, double from) {
        const Ellipse ellipse(Box{cx - rx, cy - ry, cx + rx, cy + ry});
        AddArc(shape, ellipse, from, kQuarterTurn);
    };
    Shape shape{{box.x0, box.y0 + ry}, {}, true};
    shape.segments.push_back(Line({box.x0, box.y1 - ry}));
    corner_arc(shape, box.x0 + rx, box.y1 - ry, M_PI);
    shape.segments.push_back(Line({box.x1 - rx, box.y1}));
    corner_arc(shape, box.x1 - rx, box.y1 - ry, -kQuarterTurn);
    shape.segments.push_back(Line({box.x1, box.y0 + ry}));
    corner_arc(shape, box.x1 - rx, box.y0 + ry, 0);
    shape.segments.push_back(Line({box.x0 + rx, box.y0}));
    corner_arc(shape, box.x0 + rx, box.y0 + ry, kQuarterTurn);
    return shape;
}

}  // namespace pclxl_render
