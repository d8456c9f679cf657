// Reads a whole input file into memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xlrender::tool {

// False when `path` cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace xlrender::tool
