// What a font test wrote into a stream, as the spool reader lists it.
#pragma once

#include <string>
#include <vector>

#include "pclxl_dump/spool_reader.h"
#include "xlstream/recording_flush.h"

namespace xlrender::testing {

inline std::string Written(const RecordingFlush& flush) {
    std::string bytes;
    for (const std::string& write : flush.writes) bytes += write;
    return bytes;
}

// The operator and data lines of `bytes`, read as the body of a PCL XL stream.
inline std::vector<std::string> ListingOf(const std::string& bytes) {
    const std::string file = "\x1B%-12345X@PJL ENTER LANGUAGE=PCLXL\n) HP-PCL XL;2;1\n" + bytes;
    const pclxl_dump::Listing listing = pclxl_dump::ReadSpool(
        {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}, false);
    std::vector<std::string> lines;
    for (std::size_t i = 3; i < listing.lines.size(); ++i) {
        lines.push_back((listing.lines[i].problem ? "!! " : "") + listing.lines[i].text);
    }
    return lines;
}

}  // namespace xlrender::testing
