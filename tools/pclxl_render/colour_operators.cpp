// SetColorSpace (gray or RGB, with or without a palette) and the brush and pen sources: a
// colour, a palette index, nothing, or a raster pattern.
#include <algorithm>
#include <cmath>
#include <string>

#include "interpreter.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;
using pclxl_dump::XlOperator;

// eSRGB (protocol class 2.1) is drawn as eRGB: the preview's RGB already is sRGB.
constexpr std::uint32_t kGray = 1, kRgb = 2, kSRgb = 6;
constexpr std::uint32_t kPaletteDepth8Bit = 2;
constexpr std::size_t kMaxPaletteEntries = 256;
constexpr double kFullLevel = 255;

std::uint8_t Level(double value, bool real) {
    const double level = real ? value * kFullLevel : value;
    return static_cast<std::uint8_t>(level <= 0            ? 0
                                     : level >= kFullLevel ? kFullLevel
                                                           : std::lround(level));
}

// A colour given as components of the colour space (one for gray, three for RGB).
Rgb FromComponents(const std::vector<double>& components, bool real, std::uint32_t id) {
    if (components.size() == 1) {
        const std::uint8_t gray = Level(components[0], real);
        return {gray, gray, gray};
    }
    if (components.size() != 3) {
        throw RenderError(AttributeLabel(id) + " needs 1 or 3 components, not " +
                          std::to_string(components.size()));
    }
    return {Level(components[0], real), Level(components[1], real), Level(components[2], real)};
}

}  // namespace

void Interpreter::SetColorSpace(const XlOperator&, const Attributes& attributes) {
    ColourSpace space;
    const std::uint32_t model = attributes.Integer(attr::kColorSpace);
    if (model != kGray && model != kRgb && model != kSRgb) {
        throw RenderError("ColorSpace " + std::to_string(model) +
                          " is not drawn (eGray, eRGB and eSRGB are)");
    }
    space.model = model == kGray ? ColourModel::kGray : ColourModel::kRgb;
    if (attributes.Has(attr::kPaletteData)) {
        if (attributes.IntegerOr(attr::kPaletteDepth, kPaletteDepth8Bit) != kPaletteDepth8Bit) {
            throw RenderError("only 8-bit palettes (PaletteDepth e8Bit) are drawn");
        }
        const std::vector<double> data = attributes.Numbers(attr::kPaletteData);
        const std::size_t components = static_cast<std::size_t>(space.Components());
        if (data.empty() || data.size() % components != 0 ||
            data.size() / components > kMaxPaletteEntries) {
            throw RenderError("PaletteData must hold 1 to " + std::to_string(kMaxPaletteEntries) +
                              " entries of " + std::to_string(components) + " bytes");
        }
        for (std::size_t i = 0; i < data.size(); i += components) {
            const std::vector<double> entry(data.begin() + i, data.begin() + i + components);
            space.palette.push_back(FromComponents(entry, false, attr::kPaletteData));
        }
    }
    state_.colourSpace = std::move(space);
}

Paint Interpreter::ReadPaint(const Attributes& attributes, std::uint32_t nullAttribute) const {
    Paint paint;
    const ColourSpace& space = state_.colourSpace;
    const bool indexed = !space.palette.empty();
    if (attributes.Has(nullAttribute)) {
        paint.kind = Paint::Kind::kNone;
    } else if (attributes.Has(attr::kPatternSelectID)) {
        const int id = ClampToInt(attributes.Number(attr::kPatternSelectID));
        const RasterPattern* pattern = patterns_.Find(id);
        if (pattern == nullptr) {
            throw RenderError("no raster pattern " + std::to_string(id) + " is defined");
        }
        const Point size = attributes.Has(attr::kNewDestinationSize)
                               ? attributes.Pair(attr::kNewDestinationSize)
                               : pattern->destinationSize;
        const Point origin = attributes.Has(attr::kPatternOrigin)
                                 ? attributes.Pair(attr::kPatternOrigin)
                                 : Point{0, 0};
        paint.kind = Paint::Kind::kPattern;
        paint.tile = MakePatternTile(*pattern, size, state_.ctm, state_.ctm.Apply(origin));
    } else {
        std::uint32_t id = 0;
        for (std::uint32_t candidate : {attr::kRGBColor, attr::kGrayLevel, attr::kPrimaryArray}) {
            if (attributes.Has(candidate)) {
                id = candidate;
                break;
            }
        }
        if (id == 0) {
            throw RenderError(
                "needs RGBColor, GrayLevel, PrimaryArray, a null source or a pattern");
        }
        const std::vector<double> components = attributes.Numbers(id);
        if (components.empty()) {
            throw RenderError(AttributeLabel(id) + " is empty");
        }
        // Under a palette PrimaryArray holds an index; GrayLevel and RGBColor always give
        // levels. Writers rely on that: Ghostscript's sets gray levels and RGB colours after
        // an indexed image without leaving its palette colour space.
        const bool index = indexed && id == attr::kPrimaryArray;
        paint.colour =
            index ? space.Entry(static_cast<std::uint32_t>(std::max(0, ClampToInt(components[0]))))
                  : FromComponents(components, attributes.IsReal(id), id);
    }
    return paint;
}

void Interpreter::SetBrushSource(const XlOperator&, const Attributes& attributes) {
    state_.brush = ReadPaint(attributes, attr::kNullBrush);
}

void Interpreter::SetPenSource(const XlOperator&, const Attributes& attributes) {
    state_.pen = ReadPaint(attributes, attr::kNullPen);
}

}  // namespace pclxl_render
