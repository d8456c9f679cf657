// One-line summaries of the data that follow an operator: size, and for JPEG images the frame
// size and component count, for soft fonts the format byte.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace pclxl_dump {

enum class EmbeddedKind {
    kRaster,               // image or raster pattern rows
    kFontHeaderStart,      // the first block of a font header
    kFontHeaderContinued,  // later blocks of the same header
    kCharacter,            // one glyph record
    kOther,
};

std::string SummarizeEmbeddedData(EmbeddedKind kind, std::span<const std::uint8_t> data);

// For JPEG data (starting with the SOI marker): "JPEG 640x480, 3 components" from the first
// frame header, or a note that none was found. Empty for anything else.
std::string DescribeJpeg(std::span<const std::uint8_t> data);

}  // namespace pclxl_dump
