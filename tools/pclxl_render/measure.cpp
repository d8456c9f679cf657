#include "measure.h"

#include <iterator>
#include <string>

#include "attributes.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

constexpr double kUnitsPerInch[] = {1, 25.4, 254};  // eInch, eMillimeter, eTenthsOfAMillimeter

}  // namespace

double MeasureUnitsPerInch(std::uint32_t measure, std::uint32_t attribute) {
    if (measure >= std::size(kUnitsPerInch)) {
        throw RenderError(AttributeLabel(attribute) + " " + std::to_string(measure) +
                          " is not a unit of measure");
    }
    return kUnitsPerInch[measure];
}

}  // namespace pclxl_render
