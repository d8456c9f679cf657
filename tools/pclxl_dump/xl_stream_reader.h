// Reads one PCL XL stream, from its header line to the universal exit that ends it (or the end
// of the file), into listing lines: the header, one line per operator with its attributes, and
// one line per embedded data block.
#pragma once

#include "spool_cursor.h"
#include "listing.h"
#include "xl_operator.h"

namespace pclxl_dump {

// Reads the stream whose header starts at the cursor and leaves the cursor at the universal
// exit after it, or at the end. A stream that cannot be read on (unknown tag, value cut
// short, other binding) is reported and skipped up to the next universal exit. Each operator
// read whole, with its data, also goes to `sink` (when given), which may end the reading.
void ReadXlStream(SpoolCursor& cursor, ListingBuilder& out, XlOperatorSink* sink);

}  // namespace pclxl_dump
