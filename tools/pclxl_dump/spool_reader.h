// Reads a whole spool file as a printer would meet it: PJL lines, universal exits, and the PCL
// XL streams that "@PJL ENTER LANGUAGE=PCLXL" starts, into a readable listing.
#pragma once

#include <cstdint>
#include <span>

#include "byte_source.h"
#include "listing.h"
#include "spool_cursor.h"
#include "xl_operator.h"

namespace pclxl_dump {

// Reads `bytes`; with `stopAtFirstProblem` the listing ends at the first malformed spot.
// Never reads outside `bytes`, whatever they hold. The operators of the PCL XL streams also go
// to `sink` when one is given; it sees none past the spot where the reading stopped.
Listing ReadSpool(std::span<const std::uint8_t> bytes, bool stopAtFirstProblem,
                  XlOperatorSink* sink = nullptr);

// How a file is read in windows.
struct SpoolReading {
    bool stopAtFirstProblem = false;
    XlOperatorSink* sink = nullptr;
    // When given, each listing line goes here as it is read instead of into the listing,
    // which then keeps only the problem count and the first problem.
    ListingLineHandler onLine;
    std::size_t window = kDefaultReadWindow;
    ReadProgress progress;
};

// Reads `source` front to back, holding only a window of it and the block being read.
// Throws SpoolReadError when the source cannot be read to its end.
Listing ReadSpool(ByteSource& source, const SpoolReading& reading);

}  // namespace pclxl_dump
