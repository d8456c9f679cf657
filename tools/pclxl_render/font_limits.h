// How much a stream may make the soft-font store hold or draw. A printer refuses a font it has no
// memory for; a preview must do the same instead of trusting sizes that the stream announces.
#pragma once

#include <cstddef>
#include <string>

namespace pclxl_render {

constexpr std::size_t kMiB = 1024 * 1024;
// One font header, all its ReadFontHeader blocks together.
constexpr std::size_t kMaxFontHeaderBytes = 16 * kMiB;
// One character record (a bitmap glyph at 1200 dpi several inches tall stays well below this).
constexpr std::size_t kMaxCharRecordBytes = 4 * kMiB;
// Everything the soft fonts of a session hold: headers, outlines and bitmaps.
constexpr std::size_t kMaxStoredFontBytes = 64 * kMiB;
// A drawn glyph, in device pixels: each side, and the whole coverage map.
constexpr int kMaxGlyphSide = 16384;
constexpr std::size_t kMaxGlyphPixels = 32 * kMiB;

// "" when a glyph of this many device pixels may be drawn, otherwise why not.
std::string CheckGlyphSize(double width, double height);

}  // namespace pclxl_render
