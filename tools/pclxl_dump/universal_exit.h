// The universal exit language command (ESC "%-12345X") that ends a PCL XL stream and frames a
// PJL job.
#pragma once

#include <cstdint>

#include "spool_cursor.h"

namespace pclxl_dump {

constexpr std::uint8_t kEscape = 0x1B;

// True when the cursor stands on a complete universal exit.
bool AtUniversalExit(SpoolCursor& cursor);
// Moves to the next universal exit at or after the position, or to the end, releasing what it
// passes.
void SkipToUniversalExit(SpoolCursor& cursor);
// Bytes of the universal exit.
constexpr std::size_t kUniversalExitSize = 9;

}  // namespace pclxl_dump
