// BeginImage, ReadImage and EndImage: the image's rows are gathered as they come and drawn at
// EndImage, its top-left corner at the cursor, scaled to DestinationSize, through the print
// model with the brush as paint.
#include <cmath>
#include <string>

#include "image_drawing.h"
#include "interpreter.h"
#include "interpreter_parts.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;
using pclxl_dump::XlOperator;

// A destination this many times larger than the page is refused as hostile.
constexpr double kMaxDestinationPages = 16;

}  // namespace

void Interpreter::BeginImage(const XlOperator&, const Attributes& attributes) {
    if (image_ != nullptr) {
        throw RenderError("an image is already open");
    }
    const RasterFormat format = ReadRasterFormat(attributes, state_.colourSpace);
    const Point size = attributes.Pair(attr::kDestinationSize);
    const Point extent = state_.ctm.ApplyLinear(size);
    if (!(size.x > 0 && size.y > 0 &&
          std::abs(extent.x) + std::abs(extent.y) <=
              kMaxDestinationPages * (pageWidth_ + pageHeight_))) {
        throw RenderError("DestinationSize must be positive and at most " +
                          std::to_string(static_cast<int>(kMaxDestinationPages)) +
                          " times the page");
    }
    auto image = std::make_unique<ImageInProgress>();
    image->sourceToDevice =
        Affine::Translation(cursor_.x, cursor_.y)
            .After(Affine{state_.ctm.a, state_.ctm.b, state_.ctm.c, state_.ctm.d, 0, 0})
            .After(Affine::Scaling(size.x / format.width, size.y / format.height));
    if (Drawing()) {
        image->decoder = std::make_unique<RasterDecoder>(format, state_.colourSpace);
    }
    image_ = std::move(image);
}

void Interpreter::ReadImage(const XlOperator& op, const Attributes& attributes) {
    if (image_ == nullptr) {
        throw RenderError("no image is open");
    }
    if (image_->decoder != nullptr) {
        image_->decoder->ReadBlock(attributes, op.data);
    }
}

void Interpreter::EndImage(const XlOperator&, const Attributes&) {
    if (image_ == nullptr) {
        throw RenderError("no image is open");
    }
    const std::unique_ptr<ImageInProgress> image = std::move(image_);
    if (image->decoder != nullptr) {
        const Compositor compositor(state_.drawMode, state_.brush, SourceKind::kPixels);
        DrawRaster(*raster_, *state_.clip, *image->decoder, image->sourceToDevice, compositor);
    }
}

}  // namespace pclxl_render
