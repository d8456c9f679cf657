// The pixel rows of an image or raster pattern as its read operators deliver them: uncompressed,
// RLE (PackBits), JPEG or delta-row blocks, rows padded to the stream's multiple, 1-, 4- or 8-bit pixels,
// direct or through the palette, turned into 8-bit RGB. Rows never delivered stay white.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "attributes.h"
#include "colour_space.h"

namespace pclxl_render {

struct RasterFormat {
    int width = 0;
    int height = 0;
    int bitsPerIndex = 8;  // 1, 4 or 8 bits per component (direct) or per index (indexed)
    bool indexed = false;
};

// Reads ColorMapping, ColorDepth, SourceWidth and SourceHeight of a BeginImage or
// BeginRastPattern, refusing what cannot be drawn or would take too much memory.
RasterFormat ReadRasterFormat(const Attributes& attributes, const ColourSpace& space);

class RasterDecoder {
public:
    RasterDecoder(const RasterFormat& format, ColourSpace space);

    // One ReadImage / ReadRastPattern block: StartLine, BlockHeight, CompressMode,
    // PadBytesMultiple and the data.
    void ReadBlock(const Attributes& attributes, std::span<const std::uint8_t> data);

    const RasterFormat& Format() const { return format_; }
    // Row `y` as RGB (3 bytes per pixel), or null while it is white.
    const std::uint8_t* Row(int y) const;

private:
    void StoreRow(int y, std::span<const std::uint8_t> packed);
    void ReadPackedRows(int startLine, int rows, int padMultiple, std::uint32_t compression,
                        std::span<const std::uint8_t> data);
    void ReadJpegRows(int startLine, int rows, std::span<const std::uint8_t> data);
    void ReadDeltaRows(int startLine, int rows, std::span<const std::uint8_t> data);
    std::size_t PackedRowBytes() const;

    RasterFormat format_;
    ColourSpace space_;
    std::vector<std::vector<std::uint8_t>> rows_;
    std::vector<std::uint8_t> seed_;  // the last delta row, packed
};

}  // namespace pclxl_render
