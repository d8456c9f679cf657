// The clip region: a rectangle or the current path, its interior or exterior, intersected
// with the clip or replacing it, and back to the whole page; and the clip made the path.
#include <string>

#include "interpreter.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;
using pclxl_dump::XlOperator;

constexpr std::uint32_t kInterior = 0, kExterior = 1;

bool ReadExterior(const Attributes& attributes) {
    const std::uint32_t region = attributes.Integer(attr::kClipRegion);
    if (region != kInterior && region != kExterior) {
        throw RenderError("ClipRegion " + std::to_string(region) +
                          " is neither eInterior nor eExterior");
    }
    return region == kExterior;
}

}  // namespace

void Interpreter::IntersectClip(Region region, const Attributes& attributes) {
    if (ReadExterior(attributes)) {
        region = region.Complement(pageWidth_, pageHeight_);
    }
    state_.clip = std::make_shared<const Region>(region.Intersection(*state_.clip));
}

void Interpreter::SetClipRectangle(const XlOperator&, const Attributes& attributes) {
    const Box box = attributes.Corners(attr::kBoundingBox);
    const Polygon rectangle = {
        state_.ctm.Apply({box.x0, box.y0}), state_.ctm.Apply({box.x1, box.y0}),
        state_.ctm.Apply({box.x1, box.y1}), state_.ctm.Apply({box.x0, box.y1})};
    IntersectClip(FillPolygons({rectangle}, FillRule::kNonZeroWinding, pageWidth_, pageHeight_),
                  attributes);
}

void Interpreter::SetClipIntersect(const XlOperator&, const Attributes& attributes) {
    IntersectClip(PathRegion(state_.clipRule), attributes);
}

void Interpreter::SetClipReplace(const XlOperator&, const Attributes& attributes) {
    state_.clip = pageRegion_;
    IntersectClip(PathRegion(state_.clipRule), attributes);
}

void Interpreter::SetClipToPage(const XlOperator&, const Attributes&) {
    state_.clip = pageRegion_;
}

// The clip is kept as the pixels it lets through, not as the outlines that made it, so the path
// becomes those pixels: filling it or clipping to it again is exact, and a pen on it is refused
// as on TextPath characters.
void Interpreter::SetPathToClip(const XlOperator&, const Attributes&) {
    path_.Clear();
    path_.AddPixels(*state_.clip);
}

}  // namespace pclxl_render
