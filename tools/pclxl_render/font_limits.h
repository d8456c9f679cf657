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
// What keeping a font or a character costs beyond its bytes (maps, names, records), charged to
// the store so that many tiny fonts or characters are bounded as well.
constexpr std::size_t kFontBookkeepingBytes = 1024;
constexpr std::size_t kCharBookkeepingBytes = 64;
// TrueType faces kept open for drawing at one time; each holds a rebuilt font of its own.
constexpr std::size_t kMaxOpenFaces = 4;
// A drawn glyph, in device pixels: each side, and the whole coverage map.
constexpr int kMaxGlyphSide = 16384;
constexpr std::size_t kMaxGlyphPixels = 32 * kMiB;

// The refusal when the soft fonts are full.
std::string StoredFontsFull();

// "" when a glyph of this many device pixels may be drawn, otherwise why not.
std::string CheckGlyphSize(double width, double height);

}  // namespace pclxl_render
