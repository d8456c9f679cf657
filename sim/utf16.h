// UTF-8 text from job files and tests as the UTF-16 the simulated Windows speaks.
#pragma once

#include <string>

namespace sim {

std::u16string Utf16(const std::string& utf8);

}  // namespace sim
