// Units of measure as BeginSession, CustomMediaSizeUnits and SetPageScale name them.
#pragma once

#include <cstdint>

namespace pclxl_render {

// How many units of Measure value `measure` (eInch, eMillimeter, eTenthsOfAMillimeter) make an
// inch; throws RenderError naming `attribute` for another value.
double MeasureUnitsPerInch(std::uint32_t measure, std::uint32_t attribute);

}  // namespace pclxl_render
