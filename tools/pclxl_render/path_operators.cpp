// Building the current path (cursor, lines, Béziers, rectangles, closing) and painting it:
// the interior with the brush under the fill rule, the outline with the pen at its width.
#include <algorithm>
#include <cmath>
#include <string>

#include "compositor.h"
#include "interpreter.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"
#include "stroke.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;
using pclxl_dump::XlOperator;

// PointType: the element of embedded point lists.
struct PointElement {
    std::size_t size;
    bool isSigned;
};
constexpr PointElement kPointElements[] = {{1, false}, {1, true}, {2, false}, {2, true}};

// The points an operator gives: its named attributes, or NumberOfPoints points of PointType
// in its embedded data.
std::vector<Point> ReadPoints(const XlOperator& op, const Attributes& attributes,
                              std::initializer_list<std::uint32_t> named) {
    std::vector<Point> points;
    if (!attributes.Has(attr::kNumberOfPoints)) {
        for (std::uint32_t id : named) {
            points.push_back(attributes.Pair(id));
        }
        return points;
    }
    const std::uint32_t count = attributes.Integer(attr::kNumberOfPoints);
    const std::uint32_t type = attributes.Integer(attr::kPointType);
    if (type >= std::size(kPointElements)) {
        throw RenderError("PointType " + std::to_string(type) + " is not known");
    }
    const PointElement element = kPointElements[type];
    if (op.data.size() < std::size_t{count} * 2 * element.size) {
        throw RenderError(std::to_string(count) + " points need " +
                          std::to_string(std::size_t{count} * 2 * element.size) +
                          " bytes of data, " + std::to_string(op.data.size()) + " are there");
    }
    const auto read = [&](std::size_t index) -> double {
        const std::size_t at = index * element.size;
        if (element.size == 1) {
            return element.isSigned ? static_cast<std::int8_t>(op.data[at]) : op.data[at];
        }
        const auto bits = static_cast<std::uint16_t>(op.data[at] | op.data[at + 1] << 8);
        return element.isSigned ? static_cast<std::int16_t>(bits) : bits;
    };
    for (std::uint32_t i = 0; i < count; ++i) {
        points.push_back({read(2 * i), read(2 * i + 1)});
    }
    return points;
}

}  // namespace

void Interpreter::NewPath(const XlOperator&, const Attributes&) {
    path_.Clear();
}

void Interpreter::SetCursor(const XlOperator&, const Attributes& attributes) {
    cursor_ = state_.ctm.Apply(attributes.Pair(attr::kPoint));
    path_.MoveTo(cursor_);
}

void Interpreter::SetCursorRel(const XlOperator&, const Attributes& attributes) {
    const Point offset = state_.ctm.ApplyLinear(attributes.Pair(attr::kPoint));
    cursor_ = {cursor_.x + offset.x, cursor_.y + offset.y};
    path_.MoveTo(cursor_);
}

void Interpreter::AddLines(const XlOperator& op, const Attributes& attributes, bool relative) {
    for (const Point p : ReadPoints(op, attributes, {attr::kEndPoint})) {
        Point to;
        if (relative) {
            const Point offset = state_.ctm.ApplyLinear(p);
            to = {cursor_.x + offset.x, cursor_.y + offset.y};
        } else {
            to = state_.ctm.Apply(p);
        }
        path_.LineTo(cursor_, to);
        cursor_ = to;
    }
}

void Interpreter::AddCurves(const XlOperator& op, const Attributes& attributes, bool relative) {
    const std::vector<Point> points =
        ReadPoints(op, attributes, {attr::kControlPoint1, attr::kControlPoint2, attr::kEndPoint});
    if (points.size() % 3 != 0) {
        throw RenderError("a curve needs three points, " + std::to_string(points.size()) +
                          " are not a multiple of three");
    }
    for (std::size_t i = 0; i < points.size(); i += 3) {
        Point device[3];
        for (int k = 0; k < 3; ++k) {
            if (relative) {
                // Each curve's points count from where that curve starts.
                const Point offset = state_.ctm.ApplyLinear(points[i + k]);
                device[k] = {cursor_.x + offset.x, cursor_.y + offset.y};
            } else {
                device[k] = state_.ctm.Apply(points[i + k]);
            }
        }
        path_.CurveTo(cursor_, device[0], device[1], device[2]);
        cursor_ = device[2];
    }
}

void Interpreter::LinePath(const XlOperator& op, const Attributes& attributes) {
    AddLines(op, attributes, false);
}

void Interpreter::LineRelPath(const XlOperator& op, const Attributes& attributes) {
    AddLines(op, attributes, true);
}

void Interpreter::BezierPath(const XlOperator& op, const Attributes& attributes) {
    AddCurves(op, attributes, false);
}

void Interpreter::BezierRelPath(const XlOperator& op, const Attributes& attributes) {
    AddCurves(op, attributes, true);
}

void Interpreter::AddRectangle(const Attributes& attributes) {
    // Clockwise on the page from the corner with the lesser coordinates, whichever corners
    // the box names.
    const Box box = attributes.Corners(attr::kBoundingBox);
    const double x0 = std::min(box.x0, box.x1), x1 = std::max(box.x0, box.x1);
    const double y0 = std::min(box.y0, box.y1), y1 = std::max(box.y0, box.y1);
    AddShape({{x0, y0},
              {{false, {}, {}, {x1, y0}}, {false, {}, {}, {x1, y1}}, {false, {}, {}, {x0, y1}}},
              true});
}

void Interpreter::RectanglePath(const XlOperator&, const Attributes& attributes) {
    AddRectangle(attributes);
}

void Interpreter::Rectangle(const XlOperator& op, const Attributes& attributes) {
    PaintShape(op, attributes, &Interpreter::RectanglePath);
}

void Interpreter::CloseSubPath(const XlOperator&, const Attributes&) {
    path_.CloseSubpath();
}

void Interpreter::PaintRegion(const Region& region, const Paint& paint) {
    const Compositor compositor(state_.drawMode, paint, SourceKind::kShape);
    compositor.PaintShape(*raster_, region.Intersection(*state_.clip));
}

void Interpreter::PaintPath(const XlOperator&, const Attributes&) {
    if (state_.pen.kind != Paint::Kind::kNone && path_.HoldsPixels()) {
        throw RenderError(
            "the preview does not stroke a path it knows only as pixels (TextPath characters, "
            "SetPathToClip)");
    }
    if (!Drawing()) {
        return;
    }
    if (state_.brush.kind != Paint::Kind::kNone) {
        PaintRegion(PathRegion(state_.fillRule), state_.brush);
    }
    if (state_.pen.kind != Paint::Kind::kNone) {
        const std::vector<Polygon> outline =
            StrokeOutline(path_, state_.penWidth, state_.line, state_.ctm, pageWidth_, pageHeight_);
        PaintRegion(FillPolygons(outline, FillRule::kNonZeroWinding, pageWidth_, pageHeight_),
                    state_.pen);
    }
}

Region Interpreter::PathRegion(FillRule rule) const {
    return FillPolygons(path_.Polygons(), rule, pageWidth_, pageHeight_);
}

}  // namespace pclxl_render
