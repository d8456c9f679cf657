// BeginSession, EndSession, BeginPage and EndPage: the session's units, the page's size,
// orientation and raster, and handing each printed page on.
#include <cmath>
#include <string>

#include "interpreter.h"
#include "interpreter_parts.h"
#include "measure.h"
#include "media_sizes.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;
using pclxl_dump::XlOperator;

constexpr std::uint32_t kPortrait = 0, kLandscape = 1, kReversePortrait = 2, kReverseLandscape = 3;
// Custom sheets larger than this on either side are refused as nonsense.
constexpr double kMaxCustomInches = 100;

// The sheet, portrait, in inches.
Point SheetInches(const Attributes& attributes) {
    if (attributes.Has(attr::kCustomMediaSize)) {
        const Point size = attributes.Pair(attr::kCustomMediaSize);
        const double perInch = MeasureUnitsPerInch(
            attributes.IntegerOr(attr::kCustomMediaSizeUnits, 0), attr::kCustomMediaSizeUnits);
        const Point inches{size.x / perInch, size.y / perInch};
        if (!(inches.x > 0 && inches.y > 0 && inches.x <= kMaxCustomInches &&
              inches.y <= kMaxCustomInches)) {
            throw RenderError("CustomMediaSize must be positive and at most " +
                              std::to_string(static_cast<int>(kMaxCustomInches)) +
                              " inches on each side");
        }
        return inches;
    }
    const std::uint32_t named = attributes.Integer(attr::kMediaSize);
    if (const auto size = NamedMediaSize(named)) {
        return *size;
    }
    throw RenderError("MediaSize " + std::to_string(named) + " is not a known sheet size");
}

}  // namespace

void Interpreter::BeginSession(const XlOperator&, const Attributes& attributes) {
    if (inSession_) {
        throw RenderError("a session is already open");
    }
    const Point units = attributes.Pair(attr::kUnitsPerMeasure);
    const double perInch = MeasureUnitsPerInch(attributes.Integer(attr::kMeasure), attr::kMeasure);
    if (!(units.x > 0 && units.y > 0)) {
        throw RenderError("UnitsPerMeasure must be positive");
    }
    unitsPerInch_ = {units.x * perInch, units.y * perInch};
    fonts_ = std::make_unique<SoftFontStore>();
    streams_ = UserStreams{};
    inSession_ = true;
}

void Interpreter::EndSession(const XlOperator&, const Attributes&) {
    if (inPage_) {
        throw RenderError("the page is still open");
    }
    patterns_.EndOf(true);
    fonts_.reset();
    inSession_ = false;
}

void Interpreter::Ignore(const XlOperator&, const Attributes&) {}

void Interpreter::BeginPage(const XlOperator&, const Attributes& attributes) {
    if (inPage_) {
        throw RenderError("a page is already open");
    }
    const Point sheet = SheetInches(attributes);
    const std::uint32_t orientation = attributes.IntegerOr(attr::kOrientation, kPortrait);
    if (orientation > kReverseLandscape) {
        throw RenderError("Orientation " + std::to_string(orientation) + " is not known");
    }
    const bool landscape = orientation == kLandscape || orientation == kReverseLandscape;
    pageWidth_ = static_cast<int>(std::lround((landscape ? sheet.y : sheet.x) * options_.dpi));
    pageHeight_ = static_cast<int>(std::lround((landscape ? sheet.x : sheet.y) * options_.dpi));
    const Affine toPixels =
        Affine::Scaling(options_.dpi / unitsPerInch_.x, options_.dpi / unitsPerInch_.y);
    pageDefaultCtm_ = toPixels;
    if (orientation == kReversePortrait || orientation == kReverseLandscape) {
        // The same page turned half-way round on the sheet.
        pageDefaultCtm_ =
            Affine{-1, 0, 0, -1, static_cast<double>(pageWidth_), static_cast<double>(pageHeight_)}
                .After(toPixels);
    }
    const int number = pagesPrinted_ + 1;
    if (number >= options_.firstPage && number <= options_.lastPage) {
        raster_ = std::make_unique<PageRaster>(pageWidth_, pageHeight_);
    }
    pageRegion_ = std::make_shared<const Region>(Region::Rectangle(0, 0, pageWidth_, pageHeight_));
    state_ = GraphicsState{};
    state_.ctm = pageDefaultCtm_;
    state_.clip = pageRegion_;
    savedStates_.clear();
    path_.Clear();
    cursor_ = state_.ctm.Apply({0, 0});
    inPage_ = true;
}

void Interpreter::EndPage(const XlOperator&, const Attributes& attributes) {
    const int copies = static_cast<int>(attributes.IntegerOr(attr::kPageCopies, 1));
    ++pagesPrinted_;
    inPage_ = false;
    image_.reset();
    pattern_.reset();
    patterns_.EndOf(false);
    if (raster_ != nullptr) {
        const std::unique_ptr<PageRaster> page = std::move(raster_);
        consumer_(RenderedPage{pagesPrinted_, copies, *page});
    }
}

}  // namespace pclxl_render
