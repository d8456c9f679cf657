// BeginRastPattern, ReadRastPattern and EndRastPattern: a raster pattern's rows, kept under its
// id for the lifetime its persistence gives.
#include <string>

#include "interpreter.h"
#include "interpreter_parts.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;
using pclxl_dump::XlOperator;

constexpr std::uint32_t kTempPattern = 0, kPagePattern = 1, kSessionPattern = 2;

}  // namespace

void Interpreter::BeginRastPattern(const XlOperator&, const Attributes& attributes) {
    if (pattern_ != nullptr) {
        throw RenderError("a raster pattern is already open");
    }
    auto pattern = std::make_unique<PatternInProgress>();
    const RasterFormat format = ReadRasterFormat(attributes, state_.colourSpace);
    pattern->id = ClampToInt(attributes.Number(attr::kPatternDefineID));
    pattern->pattern.destinationSize = attributes.Pair(attr::kDestinationSize);
    const std::uint32_t persistence = attributes.IntegerOr(attr::kPatternPersistence, kTempPattern);
    switch (persistence) {
        case kTempPattern:
            pattern->pattern.lifetime = PatternLifetime::kTemporary;
            break;
        case kPagePattern:
            pattern->pattern.lifetime = PatternLifetime::kPage;
            break;
        case kSessionPattern:
            pattern->pattern.lifetime = PatternLifetime::kSession;
            break;
        default:
            throw RenderError("PatternPersistence " + std::to_string(persistence) +
                              " is not known");
    }
    pattern->decoder = std::make_shared<RasterDecoder>(format, state_.colourSpace);
    pattern_ = std::move(pattern);
}

void Interpreter::ReadRastPattern(const XlOperator& op, const Attributes& attributes) {
    if (pattern_ == nullptr) {
        throw RenderError("no raster pattern is open");
    }
    pattern_->decoder->ReadBlock(attributes, op.data);
}

void Interpreter::EndRastPattern(const XlOperator&, const Attributes&) {
    if (pattern_ == nullptr) {
        throw RenderError("no raster pattern is open");
    }
    pattern_->pattern.pixels = std::move(pattern_->decoder);
    patterns_.Define(pattern_->id, std::move(pattern_->pattern));
    pattern_.reset();
}

}  // namespace pclxl_render
