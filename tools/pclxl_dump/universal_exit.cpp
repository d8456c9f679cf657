#include "universal_exit.h"

#include <algorithm>
#include <array>

namespace pclxl_dump {
namespace {

constexpr std::array<std::uint8_t, kUniversalExitSize> kUniversalExit = {
    0x1B, '%', '-', '1', '2', '3', '4', '5', 'X'};

}  // namespace

bool AtUniversalExit(const ByteCursor& cursor) {
    const auto window = cursor.Window(kUniversalExitSize);
    return window.size() == kUniversalExitSize &&
           std::equal(window.begin(), window.end(), kUniversalExit.begin());
}

void SkipToUniversalExit(ByteCursor& cursor) {
    const auto rest = cursor.Window(cursor.remaining());
    const auto found =
        std::search(rest.begin(), rest.end(), kUniversalExit.begin(), kUniversalExit.end());
    cursor.MoveTo(cursor.position() + static_cast<std::size_t>(found - rest.begin()));
}

}  // namespace pclxl_dump
