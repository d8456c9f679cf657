// ArcPath, ChordPath, EllipsePath, PiePath and RoundRectanglePath add their shape to the path;
// Chord, Ellipse, Pie and RoundRectangle paint it at once and leave the path empty, as
// printers do with the painting shape operators.
#include <string>

#include "operator_codes.h"
#include "interpreter.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"
#include "shapes.h"

namespace pclxl_render {
namespace {

namespace attr = attr_code;
using pclxl_dump::XlOperator;

constexpr std::uint32_t kClockwise = 0, kCounterClockwise = 1;

struct ArcAttributes {
    Box box;
    Point start, end;
    ArcTurn turn;
};

ArcAttributes ReadArc(const Attributes& attributes) {
    const std::uint32_t direction = attributes.IntegerOr(attr::kArcDirection, kCounterClockwise);
    if (direction != kClockwise && direction != kCounterClockwise) {
        throw RenderError("ArcDirection " + std::to_string(direction) +
                          " is neither eClockWise nor eCounterClockWise");
    }
    return {attributes.Corners(pclxl_dump::attr::kBoundingBox), attributes.Pair(attr::kStartPoint),
            attributes.Pair(pclxl_dump::attr::kEndPoint),
            direction == kClockwise ? ArcTurn::kClockwise : ArcTurn::kCounterClockwise};
}

}  // namespace

void Interpreter::AddShape(const Shape& shape) {
    Point at = state_.ctm.Apply(shape.start);
    path_.MoveTo(at);
    for (const ShapeSegment& segment : shape.segments) {
        const Point to = state_.ctm.Apply(segment.to);
        if (segment.curve) {
            path_.CurveTo(at, state_.ctm.Apply(segment.c1), state_.ctm.Apply(segment.c2), to);
        } else {
            path_.LineTo(at, to);
        }
        at = to;
    }
    if (shape.closed) {
        path_.CloseSubpath();
        at = state_.ctm.Apply(shape.start);
    }
    cursor_ = at;
}

void Interpreter::PaintShape(const XlOperator& op, const Attributes& attributes,
                             void (Interpreter::*addShape)(const XlOperator&, const Attributes&)) {
    path_.Clear();
    (this->*addShape)(op, attributes);
    PaintPath(op, attributes);
    path_.Clear();
}

void Interpreter::ArcPath(const XlOperator&, const Attributes& attributes) {
    const ArcAttributes arc = ReadArc(attributes);
    AddShape(ArcShape(arc.box, arc.start, arc.end, arc.turn));
}

void Interpreter::ChordPath(const XlOperator&, const Attributes& attributes) {
    const ArcAttributes arc = ReadArc(attributes);
    AddShape(ChordShape(arc.box, arc.start, arc.end, arc.turn));
}

void Interpreter::Chord(const XlOperator& op, const Attributes& attributes) {
    PaintShape(op, attributes, &Interpreter::ChordPath);
}

void Interpreter::EllipsePath(const XlOperator&, const Attributes& attributes) {
    AddShape(EllipseShape(attributes.Corners(pclxl_dump::attr::kBoundingBox)));
}

void Interpreter::Ellipse(const XlOperator& op, const Attributes& attributes) {
    PaintShape(op, attributes, &Interpreter::EllipsePath);
}

void Interpreter::PiePath(const XlOperator&, const Attributes& attributes) {
    const ArcAttributes arc = ReadArc(attributes);
    AddShape(PieShape(arc.box, arc.start, arc.end, arc.turn));
}

void Interpreter::Pie(const XlOperator& op, const Attributes& attributes) {
    PaintShape(op, attributes, &Interpreter::PiePath);
}

void Interpreter::RoundRectanglePath(const XlOperator&, const Attributes& attributes) {
    const Box box = attributes.Corners(pclxl_dump::attr::kBoundingBox);
    if (box.x0 > box.x1 || box.y0 > box.y1) {
        // Printers refuse these boxes rather than guess at a direction.
        throw RenderError("BoundingBox must run left to right and top to bottom");
    }
    const Point corner = attributes.Pair(attr::kEllipseDimension);
    if (!(corner.x >= 0 && corner.y >= 0)) {
        throw RenderError("EllipseDimension must not be negative");
    }
    AddShape(RoundRectangleShape(box, corner));
}

void Interpreter::RoundRectangle(const XlOperator& op, const Attributes& attributes) {
    PaintShape(op, attributes, &Interpreter::RoundRectanglePath);
}

}  // namespace pclxl_render
