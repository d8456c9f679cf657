// SetLineCap, SetLineJoin, SetMiterLimit and SetLineDash: how the pen draws the ends, corners
// and dashes of the lines PaintPath strokes.
#include <cmath>
#include <string>

#include "operator_codes.h"
#include "interpreter.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = attr_code;
using pclxl_dump::XlOperator;

constexpr std::uint32_t kCapStyles = 4, kJoinStyles = 4;
constexpr std::uint32_t kSolidLine = 0;
// The most lengths a dash pattern holds.
constexpr std::size_t kMaxDashLengths = 20;

}  // namespace

void Interpreter::SetLineCap(const XlOperator&, const Attributes& attributes) {
    const std::uint32_t cap = attributes.Integer(attr::kLineCapStyle);
    if (cap >= kCapStyles) {
        throw RenderError("LineCapStyle " + std::to_string(cap) + " is not known");
    }
    state_.line.cap = static_cast<LineCap>(cap);
}

void Interpreter::SetLineJoin(const XlOperator&, const Attributes& attributes) {
    const std::uint32_t join = attributes.Integer(attr::kLineJoinStyle);
    if (join >= kJoinStyles) {
        throw RenderError("LineJoinStyle " + std::to_string(join) + " is not known");
    }
    state_.line.join = static_cast<LineJoin>(join);
}

void Interpreter::SetMiterLimit(const XlOperator&, const Attributes& attributes) {
    const double limit = attributes.Number(attr::kMiterLength);
    if (!(limit >= 0 && std::isfinite(limit))) {
        throw RenderError("MiterLength must not be negative");
    }
    // Printers take a limit of 0 as a return to the default.
    state_.line.miterLimit = limit == 0 ? kDefaultMiterLimit : limit;
}

void Interpreter::SetLineDash(const XlOperator&, const Attributes& attributes) {
    if (attributes.Has(attr::kSolidLine)) {
        const std::uint32_t solid = attributes.Integer(attr::kSolidLine);
        if (solid != kSolidLine) {
            throw RenderError("SolidLine " + std::to_string(solid) + " is not eSolidLine");
        }
        state_.line.dashes.clear();
        state_.line.dashOffset = 0;
        return;
    }
    std::vector<double> lengths = attributes.Numbers(attr::kLineDashStyle);
    if (lengths.empty() || lengths.size() > kMaxDashLengths) {
        throw RenderError("LineDashStyle must hold 1 to " + std::to_string(kMaxDashLengths) +
                          " lengths, not " + std::to_string(lengths.size()));
    }
    double period = 0;
    for (double length : lengths) {
        if (!(length >= 0 && std::isfinite(length))) {
            throw RenderError("LineDashStyle lengths must not be negative");
        }
        period += length;
    }
    const double offset = attributes.NumberOr(attr::kDashOffset, 0);
    if (!std::isfinite(offset)) {
        throw RenderError("DashOffset must be a finite number");
    }
    // A pattern of nothing but zero lengths has no gaps to draw: the line stays solid.
    state_.line.dashes = period > 0 ? std::move(lengths) : std::vector<double>{};
    state_.line.dashOffset = offset;
}

}  // namespace pclxl_render
