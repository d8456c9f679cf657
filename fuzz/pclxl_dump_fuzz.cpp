// Any bytes as a spool file: the reader must list them without crashing or reading outside
// them, in both the strict and the relaxed mode.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <streambuf>

#include "pclxl_dump/spool_reader.h"

namespace {

// Swallows the listing: printing is exercised, nothing is kept.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int character) override { return character; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static NullBuffer nowhere;
    static std::ostream out(&nowhere);
    for (bool strict : {true, false}) {
        const pclxl_dump::Listing listing = pclxl_dump::ReadSpool({data, size}, strict);
        pclxl_dump::PrintListing(listing, true, true, out);
    }
    return 0;
}
