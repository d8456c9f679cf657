// The page's coordinate system (default, origin, rotation, scale), the graphics state stack,
// and the print model settings: ROP3, transparency, fill and clip rules, pen width.
#include <cmath>
#include <string>

#include "interpreter.h"
#include "measure.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;
using pclxl_dump::XlOperator;

constexpr std::uint32_t kOpaque = 0, kTransparent = 1;
constexpr std::uint32_t kNonZeroWinding = 0, kEvenOdd = 1;
// Deeper nesting than any driver writes; each level holds a copy of the state.
constexpr std::size_t kMaxSavedStates = 1024;

bool ReadTransparency(const Attributes& attributes) {
    const std::uint32_t mode = attributes.Integer(attr::kTxMode);
    if (mode != kOpaque && mode != kTransparent) {
        throw RenderError("TxMode " + std::to_string(mode) +
                          " is neither eOpaque nor eTransparent");
    }
    return mode == kTransparent;
}

FillRule ReadFillRule(const Attributes& attributes, std::uint32_t id) {
    const std::uint32_t rule = attributes.Integer(id);
    if (rule != kNonZeroWinding && rule != kEvenOdd) {
        throw RenderError(AttributeLabel(id) + " " + std::to_string(rule) +
                          " is neither eNonZeroWinding nor eEvenOdd");
    }
    return rule == kEvenOdd ? FillRule::kEvenOdd : FillRule::kNonZeroWinding;
}

void RequireFinite(const Affine& ctm) {
    if (!std::isfinite(ctm.a + ctm.b + ctm.c + ctm.d + ctm.tx + ctm.ty) || ctm.Determinant() == 0) {
        throw RenderError("the page transformation would become degenerate");
    }
}

}  // namespace

void Interpreter::SetPageDefaultCTM(const XlOperator&, const Attributes&) {
    state_.ctm = pageDefaultCtm_;
}

void Interpreter::SetPageOrigin(const XlOperator&, const Attributes& attributes) {
    const Point origin = attributes.Pair(attr::kPageOrigin);
    const Affine moved = state_.ctm.After(Affine::Translation(origin.x, origin.y));
    RequireFinite(moved);
    state_.ctm = moved;
}

void Interpreter::SetPageRotation(const XlOperator&, const Attributes& attributes) {
    // A positive PageAngle turns the axes counter-clockwise on the page: the x axis towards
    // the top of the sheet.
    state_.ctm = state_.ctm.After(Affine::Rotation(-attributes.Number(attr::kPageAngle)));
    RequireFinite(state_.ctm);
}

void Interpreter::SetPageScale(const XlOperator&, const Attributes& attributes) {
    Point scale;
    if (attributes.Has(attr::kPageScale)) {
        scale = attributes.Pair(attr::kPageScale);
    } else {
        // User units of the given measure, in place of the session's.
        const double perInch =
            MeasureUnitsPerInch(attributes.Integer(attr::kMeasure), attr::kMeasure);
        const Point units = attributes.Pair(attr::kUnitsPerMeasure);
        scale = {unitsPerInch_.x / (units.x * perInch), unitsPerInch_.y / (units.y * perInch)};
    }
    const Affine scaled = state_.ctm.After(Affine::Scaling(scale.x, scale.y));
    RequireFinite(scaled);
    state_.ctm = scaled;
}

void Interpreter::PushGS(const XlOperator&, const Attributes&) {
    if (savedStates_.size() >= kMaxSavedStates) {
        throw RenderError("more than " + std::to_string(kMaxSavedStates) +
                          " graphics states are saved");
    }
    savedStates_.push_back(state_);
}

void Interpreter::PopGS(const XlOperator&, const Attributes&) {
    if (savedStates_.empty()) {
        throw RenderError("no graphics state is saved");
    }
    state_ = std::move(savedStates_.back());
    savedStates_.pop_back();
}

void Interpreter::SetPenWidth(const XlOperator&, const Attributes& attributes) {
    const double width = attributes.Number(attr::kPenWidth);
    if (!(width >= 0 && std::isfinite(width))) {
        throw RenderError("PenWidth must not be negative");
    }
    state_.penWidth = width;
}

void Interpreter::SetROP(const XlOperator&, const Attributes& attributes) {
    const std::uint32_t rop = attributes.Integer(attr::kROP3);
    if (rop > 0xFF) {
        throw RenderError("ROP3 " + std::to_string(rop) + " is not a ternary raster operation");
    }
    state_.drawMode.rop = static_cast<std::uint8_t>(rop);
}

void Interpreter::SetSourceTxMode(const XlOperator&, const Attributes& attributes) {
    state_.drawMode.sourceTransparent = ReadTransparency(attributes);
}

void Interpreter::SetPaintTxMode(const XlOperator&, const Attributes& attributes) {
    state_.drawMode.paintTransparent = ReadTransparency(attributes);
}

void Interpreter::SetFillMode(const XlOperator&, const Attributes& attributes) {
    state_.fillRule = ReadFillRule(attributes, attr::kFillMode);
}

void Interpreter::SetClipMode(const XlOperator&, const Attributes& attributes) {
    state_.clipRule = ReadFillRule(attributes, attr::kClipMode);
}

}  // namespace pclxl_render
