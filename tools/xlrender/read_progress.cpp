#include "read_progress.h"

namespace xlrender::tool {
namespace {

// Files below this are read in a moment: no progress line for them.
constexpr std::size_t kShownFromBytes = 64 * 1024 * 1024;
constexpr std::size_t kMegabyte = 1024 * 1024;

}  // namespace

pclxl_dump::ReadProgress ReadProgressLine::Reporter() {
    return [this](std::size_t bytesRead, std::size_t size) {
        if (size < kShownFromBytes) {
            return;
        }
        const int percent = static_cast<int>(bytesRead * 100 / size);
        if (percent == shownPercent_) {
            return;
        }
        shownPercent_ = percent;
        terminal_ << "\rread " << bytesRead / kMegabyte << " of " << size / kMegabyte << " MB ("
                  << percent << "%)" << std::flush;
    };
}

void ReadProgressLine::End() {
    if (shownPercent_ >= 0) {
        terminal_ << '\n' << std::flush;
        shownPercent_ = -1;
    }
}

}  // namespace xlrender::tool
