// Writes a result file all at once: either the whole file appears or nothing does.
#pragma once

#include <string>
#include <string_view>

namespace xlrender::tool {

// Writes `bytes` to `path` through a temporary file in the same folder that is renamed over it;
// "-" writes to standard output. Returns an empty string on success, else what went wrong.
std::string WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace xlrender::tool
