// The papers the simulated printers know: their devmode code, size and PCL XL media size.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim::unidrv {

struct Paper {
    const char* name;
    short devmodeCode;       // DMPAPER_*
    double widthMm;
    double heightMm;
    std::uint8_t mediaSize;  // PCL XL MediaSize enumeration
};

std::optional<Paper> FindPaper(const std::string& name);
std::vector<std::string> PaperNames();

}  // namespace sim::unidrv
