// The operators that set how a printer renders colour (SetColorTreatment, SetHalftoneMethod,
// SetNeutralAxis, SetColorTrapping, SetAdaptiveHalftoning) are accepted and recorded: they
// change no geometry, and the preview shows colours as the page gives them. PassThrough
// carries PCL 5, which the preview does not read: its data is left out with a warning naming
// its offset, and the rest of the page is drawn.
#include <cstdio>
#include <string>

#include "interpreter.h"
#include "operator_codes.h"
#include "pclxl_dump/listing.h"
#include "pclxl_dump/xl_value.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

using pclxl_dump::XlOperator;

constexpr std::uint32_t kMaxColorTreatment = 2;  // eNoTreatment, eScreenMatch, eVivid

}  // namespace

void Interpreter::RecordPrinterSetting(const XlOperator& op, const Attributes& attributes) {
    if (attributes.Has(attr_code::kColorTreatment) &&
        attributes.Integer(attr_code::kColorTreatment) > kMaxColorTreatment) {
        throw RenderError("ColorTreatment " +
                          std::to_string(attributes.Integer(attr_code::kColorTreatment)) +
                          " is not known");
    }
    for (const pclxl_dump::XlAttribute& attribute : op.attributes) {
        // Enumerations are recorded; matrices, origins and sizes of a downloaded dither
        // pattern only shape halftoning.
        std::uint32_t value = 0;
        if (pclxl_dump::ScalarInteger(attribute.value, value)) {
            state_.printer.values[{op.code, attribute.id}] = value;
        }
    }
}

void Interpreter::PassThrough(const XlOperator& op, const Attributes&) {
    Warn(op.offset, "PassThrough: " + std::to_string(op.data.size()) +
                        " bytes of embedded PCL 5 are not drawn");
}

void Interpreter::Warn(std::size_t offset, const std::string& message) const {
    const std::string line = "at byte " + pclxl_dump::DescribeOffset(offset) + ": " + message;
    if (options_.warn) {
        options_.warn(line);
    } else {
        std::fprintf(stderr, "warning: %s\n", line.c_str());
    }
}

}  // namespace pclxl_render
