#include "unidrv/paper.h"

#include <array>

namespace sim::unidrv {
namespace {

constexpr double kMmPerInch = 25.4;

constexpr std::array<Paper, 6> kPapers = {{
    {"Letter", 1, 8.5 * kMmPerInch, 11.0 * kMmPerInch, 0},
    {"Legal", 5, 8.5 * kMmPerInch, 14.0 * kMmPerInch, 1},
    {"A4", 9, 210.0, 297.0, 2},
    {"Executive", 7, 7.25 * kMmPerInch, 10.5 * kMmPerInch, 3},
    {"A3", 8, 297.0, 420.0, 5},
    {"A5", 11, 148.0, 210.0, 16},
}};

}  // namespace

std::optional<Paper> FindPaper(const std::string& name) {
    for (const Paper& paper : kPapers) {
        if (name == paper.name) {
            return paper;
        }
    }
    return std::nullopt;
}

std::vector<std::string> PaperNames() {
    std::vector<std::string> names;
    for (const Paper& paper : kPapers) {
        names.emplace_back(paper.name);
    }
    return names;
}

}  // namespace sim::unidrv
