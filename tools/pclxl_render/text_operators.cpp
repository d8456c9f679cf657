// SetFont and the character settings, and Text: each character is rasterised by the soft-font
// store at the pen and painted with the brush through its shape (coverage of half or more
// counts as covered), the pen moving by the spacing data or the character's own advance.
#include <algorithm>
#include <cmath>
#include <string>

#include "compositor.h"
#include "interpreter.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;
using pclxl_dump::XlOperator;

constexpr std::uint8_t kCoveredAlpha = 128;
// Emboldening wider than this many device pixels is not drawn wider.
constexpr int kMaxBoldPixels = 256;

// The linear map from character space (an em of 1) to device pixels. A positive character
// angle turns characters counter-clockwise on paper, the way rotated text's baseline runs,
// which in y-down coordinates is a rotation by the negative angle.
Affine CharacterToDevice(const GraphicsState& state) {
    const CharacterState& text = state.characters;
    const Affine linear{state.ctm.a, state.ctm.b, state.ctm.c, state.ctm.d, 0, 0};
    const Affine shear{1, text.shear.y, text.shear.x, 1, 0, 0};
    return linear.After(Affine::Rotation(-text.angle))
        .After(shear)
        .After(Affine::Scaling(text.scale.x * text.size, text.scale.y * text.size));
}

// Widens a glyph to the right by `pixels` columns, as emboldening does.
void Embolden(GlyphBitmap& glyph, int pixels) {
    if (pixels <= 0 || glyph.width == 0) {
        return;
    }
    const int width = glyph.width + pixels;
    std::vector<std::uint8_t> wider(static_cast<std::size_t>(width) * glyph.height);
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t coverage = 0;
            for (int k = std::max(0, x - pixels); k <= std::min(x, glyph.width - 1); ++k) {
                coverage =
                    std::max(coverage, glyph.alpha[static_cast<std::size_t>(y) * glyph.width + k]);
            }
            wider[static_cast<std::size_t>(y) * width + x] = coverage;
        }
    }
    glyph.width = width;
    glyph.alpha = std::move(wider);
}

// The page pixels a glyph covers with its origin at device pixel (penX, penY).
Region GlyphRegion(const GlyphBitmap& glyph, int penX, int penY, int pageWidth, int pageHeight) {
    Region region;
    std::vector<Run> runs;
    const long long left = static_cast<long long>(penX) + glyph.left;
    const long long top = static_cast<long long>(penY) + glyph.top;
    for (int row = 0; row < glyph.height; ++row) {
        const long long y = top + row;
        if (y < 0 || y >= pageHeight) {
            continue;
        }
        runs.clear();
        for (int column = 0; column < glyph.width; ++column) {
            const long long x = left + column;
            if (x < 0 || x >= pageWidth ||
                glyph.alpha[static_cast<std::size_t>(row) * glyph.width + column] < kCoveredAlpha) {
                continue;
            }
            if (!runs.empty() && runs.back().x1 == x) {
                ++runs.back().x1;
            } else {
                runs.push_back({static_cast<int>(x), static_cast<int>(x) + 1});
            }
        }
        region.AppendRow(static_cast<int>(y), runs);
    }
    return region;
}

}  // namespace

void Interpreter::SetFont(const XlOperator&, const Attributes& attributes) {
    const std::string name = attributes.Text(attr::kFontName);
    if (!fonts_->HasFont(name)) {
        throw RenderError("the font \"" + name + "\" was not downloaded in this session");
    }
    const double size = attributes.Number(attr::kCharSize);
    if (!(size >= 0 && std::isfinite(size))) {
        throw RenderError("CharSize must not be negative");
    }
    state_.characters.fontName = name;
    state_.characters.size = size;
    state_.characters.symbolSet = attributes.IntegerOr(attr::kSymbolSet, 0);
}

void Interpreter::SetCharAngle(const XlOperator&, const Attributes& attributes) {
    state_.characters.angle = attributes.Number(attr::kCharAngle);
}

void Interpreter::SetCharScale(const XlOperator&, const Attributes& attributes) {
    state_.characters.scale = attributes.Pair(attr::kCharScale);
}

void Interpreter::SetCharShear(const XlOperator&, const Attributes& attributes) {
    state_.characters.shear = attributes.Pair(attr::kCharShear);
}

void Interpreter::SetCharBoldValue(const XlOperator&, const Attributes& attributes) {
    const double bold = attributes.Number(attr::kCharBoldValue);
    if (!(bold >= 0 && std::isfinite(bold))) {
        throw RenderError("CharBoldValue must not be negative");
    }
    state_.characters.bold = bold;
}

void Interpreter::LayOutText(const Attributes& attributes, bool wantShapes,
                             const std::function<void(const Region&)>& take) {
    const CharacterState& text = state_.characters;
    if (text.fontName.empty()) {
        throw RenderError("no font is set (SetFont)");
    }
    const std::vector<double> codes = attributes.Numbers(attr::kTextData);
    const auto spacing = [&](std::uint32_t id) {
        std::vector<double> values =
            attributes.Has(id) ? attributes.Numbers(id) : std::vector<double>{};
        if (!values.empty() && values.size() != codes.size()) {
            throw RenderError(AttributeLabel(id) + " has " + std::to_string(values.size()) +
                              " values for " + std::to_string(codes.size()) + " characters");
        }
        return values;
    };
    const std::vector<double> xSpacing = spacing(attr::kXSpacingData);
    const std::vector<double> ySpacing = spacing(attr::kYSpacingData);
    const bool spaced = !xSpacing.empty() || !ySpacing.empty();
    const Affine toDevice = CharacterToDevice(state_);
    const CharMatrix matrix{toDevice.a, toDevice.b, toDevice.c, toDevice.d};
    const int boldPixels = std::min<int>(
        ClampToInt(std::round(text.bold * std::sqrt(std::abs(toDevice.Determinant())))),
        kMaxBoldPixels);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        GlyphBitmap glyph;
        const auto code = static_cast<std::uint16_t>(std::clamp(ClampToInt(codes[i]), 0, 0xFFFF));
        SendFontResult(fonts_->RenderChar(text.fontName, code, matrix, options_.dpi, glyph));
        if (static_cast<std::size_t>(glyph.width) * glyph.height != glyph.alpha.size()) {
            throw RenderError("the soft-font store drew a character of the wrong size");
        }
        if (wantShapes) {
            Embolden(glyph, boldPixels);
            take(GlyphRegion(glyph, ClampToInt(std::round(cursor_.x)),
                             ClampToInt(std::round(cursor_.y)), pageWidth_, pageHeight_));
        }
        Point advance{glyph.advanceX, glyph.advanceY};
        if (spaced) {
            advance = state_.ctm.ApplyLinear(
                {xSpacing.empty() ? 0 : xSpacing[i], ySpacing.empty() ? 0 : ySpacing[i]});
        }
        cursor_ = {cursor_.x + advance.x, cursor_.y + advance.y};
    }
}

void Interpreter::Text(const XlOperator&, const Attributes& attributes) {
    const Compositor compositor(state_.drawMode, state_.brush, SourceKind::kShape);
    LayOutText(attributes, Drawing() && compositor.Draws(), [&](const Region& covered) {
        compositor.PaintShape(*raster_, covered.Intersection(*state_.clip));
    });
}

}  // namespace pclxl_render
