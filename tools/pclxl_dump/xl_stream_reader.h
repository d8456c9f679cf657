// Reads one PCL XL stream, from its header line to the universal exit that ends it (or the end
// of the file), into listing lines: the header, one line per operator with its attributes, and
// one line per embedded data block.
#pragma once

#include "byte_cursor.h"
#include "listing.h"

namespace pclxl_dump {

// Reads the stream whose header starts at the cursor and leaves the cursor at the universal
// exit after it, or at the end. A stream that cannot be read on (unknown tag, value cut
// short, other binding) is reported and skipped up to the next universal exit.
void ReadXlStream(ByteCursor& cursor, ListingBuilder& out);

}  // namespace pclxl_dump
