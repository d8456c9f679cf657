#include "universal_exit.h"

#include <algorithm>
#include <array>

namespace pclxl_dump {
namespace {

constexpr std::array<std::uint8_t, kUniversalExitSize> kUniversalExit = {
    0x1B, '%', '-', '1', '2', '3', '4', '5', 'X'};

}  // namespace

bool AtUniversalExit(SpoolCursor& cursor) {
    const auto window = cursor.Window(kUniversalExitSize);
    return window.size() == kUniversalExitSize &&
           std::equal(window.begin(), window.end(), kUniversalExit.begin());
}

void SkipToUniversalExit(SpoolCursor& cursor) {
    for (cursor.SkipTo(kEscape); !cursor.AtEnd() && !AtUniversalExit(cursor);
         cursor.SkipTo(kEscape)) {
        cursor.Skip(1);
    }
}

}  // namespace pclxl_dump
