// The graphics state that PushGS saves and PopGS restores, with the defaults a page starts
// from: the page's own transformation, eGray, black brush and pen, ROP3 252, opaque source
// and paint, non-zero winding for fills and clips, the whole page as clip, plain characters,
// solid lines with butt caps and miter joins (limit 10).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "affine.h"
#include "colour_space.h"
#include "compositor.h"
#include "line_style.h"
#include "paint.h"
#include "polygon_fill.h"
#include "printer_settings.h"
#include "region.h"

namespace pclxl_render {

struct CharacterState {
    std::string fontName;  // empty until SetFont
    double size = 0;       // the em, in user units
    std::uint32_t symbolSet = 0;
    double angle = 0;  // degrees
    Point scale{1, 1};
    Point shear{0, 0};
    double bold = 0;
};

struct GraphicsState {
    Affine ctm;
    ColourSpace colourSpace{ColourModel::kGray, {}};
    Paint brush;
    Paint pen;
    double penWidth = 1;  // user units
    LineStyle line;
    DrawMode drawMode;
    FillRule fillRule = FillRule::kNonZeroWinding;
    FillRule clipRule = FillRule::kNonZeroWinding;
    std::shared_ptr<const Region> clip;
    CharacterState characters;
    PrinterSettings printer;
};

}  // namespace pclxl_render
