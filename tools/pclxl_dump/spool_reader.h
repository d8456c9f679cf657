// Reads a whole spool file as a printer would meet it: PJL lines, universal exits, and the PCL
// XL streams that "@PJL ENTER LANGUAGE=PCLXL" starts, into a readable listing.
#pragma once

#include <cstdint>
#include <span>

#include "listing.h"
#include "xl_operator.h"

namespace pclxl_dump {

// Reads `bytes`; with `stopAtFirstProblem` the listing ends at the first malformed spot.
// Never reads outside `bytes`, whatever they hold. The operators of the PCL XL streams also go
// to `sink` when one is given; it sees none past the spot where the reading stopped.
Listing ReadSpool(std::span<const std::uint8_t> bytes, bool stopAtFirstProblem,
                  XlOperatorSink* sink = nullptr);

}  // namespace pclxl_dump
