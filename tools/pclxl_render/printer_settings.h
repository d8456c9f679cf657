// How a printer is asked to render colour rather than what it draws: colour treatment,
// halftoning, trapping, the neutral axis, adaptive halftoning. A preview draws the page's
// colours as given, so these are only kept with the graphics state (PushGS and PopGS save
// them with the rest), by operator and attribute.
#pragma once

#include <cstdint>
#include <map>
#include <utility>

namespace pclxl_render {

struct PrinterSettings {
    // (operator code, attribute id) -> the enumerated value last set.
    std::map<std::pair<std::uint8_t, std::uint32_t>, std::uint32_t> values;
};

}  // namespace pclxl_render
