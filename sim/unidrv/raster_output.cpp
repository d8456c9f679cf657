#include "unidrv/raster_output.h"

#include <algorithm>

#include "gdi/clip_region.h"
#include "gdi/surface_pixels.h"
#include "unidrv/pclxl_writer.h"

namespace sim::unidrv {
namespace {

constexpr std::uint8_t kColorSpaceRgb = 2;
constexpr std::uint8_t kDirectPixel = 0;
constexpr std::uint8_t kDepth8Bit = 2;
constexpr std::uint8_t kRleCompression = 1;
constexpr std::uint8_t kNoPen = 0;
constexpr LONG kRowsPerBlock = 128;
constexpr std::size_t kRowAlignment = 4;

LONG Width(const RECTL& r) { return r.right - r.left; }
LONG Height(const RECTL& r) { return r.bottom - r.top; }

// The source index of each device index from `first` to `last` (exclusive): the source pixel
// under the device pixel's centre when `sourceLength` pixels from `sourceStart` cover
// `destinationLength` from `destinationStart`. Exact in integers.
std::vector<LONG> SourceIndices(LONG first, LONG last, LONG destinationStart,
                                LONG destinationLength, LONG sourceStart, LONG sourceLength) {
    std::vector<LONG> indices;
    indices.reserve(static_cast<std::size_t>(last - first));
    for (LONG device = first; device < last; ++device) {
        const std::int64_t centreTwice = 2 * (std::int64_t{device} - destinationStart) + 1;
        indices.push_back(sourceStart + static_cast<LONG>(centreTwice * sourceLength /
                                                          (2 * std::int64_t{destinationLength})));
    }
    return indices;
}

std::string RgbRow(const RasterBlit& blit, LONG y, const std::vector<LONG>& columns) {
    std::string row;
    row.reserve((columns.size() * 3 + kRowAlignment - 1) / kRowAlignment * kRowAlignment);
    for (const LONG x : columns) {
        const ULONG rgb = gdi::ReadRgb(*blit.surface, x, y, blit.translation);
        row += static_cast<char>(rgb >> 16);
        row += static_cast<char>(rgb >> 8);
        row += static_cast<char>(rgb);
    }
    row.resize((row.size() + kRowAlignment - 1) / kRowAlignment * kRowAlignment, '\0');
    return row;
}

void SetRgbColourSpace(pclxl::Writer& writer) {
    writer.UByte(kColorSpaceRgb).Attr(pclxl::kColorSpace).Op(pclxl::kSetColorSpace);
}

}  // namespace

void WriteRop3(std::string& out, std::uint8_t rop3) {
    pclxl::Writer(out).UByte(rop3).Attr(pclxl::kRop3).Op(pclxl::kSetRop);
}

bool WriteRasterImage(std::string& out, const RasterBlit& blit) {
    if (!gdi::IsDrawableBitmap(blit.surface)) {
        return false;
    }
    const RECTL& source = blit.source;
    const RECTL& destination = blit.destination;
    const RECTL part = {std::max(blit.visible.left, destination.left),
                        std::max(blit.visible.top, destination.top),
                        std::min(blit.visible.right, destination.right),
                        std::min(blit.visible.bottom, destination.bottom)};
    const LONG width = Width(part);
    const LONG height = Height(part);
    if (Width(source) <= 0 || Height(source) <= 0 || width <= 0 || height <= 0) {
        return true;
    }
    const std::vector<LONG> columns = SourceIndices(part.left, part.right, destination.left,
                                                    Width(destination), source.left, Width(source));
    const std::vector<LONG> rows = SourceIndices(part.top, part.bottom, destination.top,
                                                 Height(destination), source.top, Height(source));
    pclxl::Writer writer(out);
    SetRgbColourSpace(writer);
    writer.SInt16Xy(static_cast<std::int16_t>(part.left), static_cast<std::int16_t>(part.top))
        .Attr(pclxl::kPoint)
        .Op(pclxl::kSetCursor);
    writer.UByte(kDirectPixel).Attr(pclxl::kColorMapping)
        .UByte(kDepth8Bit).Attr(pclxl::kColorDepth)
        .UInt16(static_cast<std::uint16_t>(width)).Attr(pclxl::kSourceWidth)
        .UInt16(static_cast<std::uint16_t>(height)).Attr(pclxl::kSourceHeight)
        .UInt16Xy(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height))
        .Attr(pclxl::kDestinationSize)
        .Op(pclxl::kBeginImage);
    for (LONG start = 0; start < height; start += kRowsPerBlock) {
        const LONG count = std::min(kRowsPerBlock, height - start);
        std::string block;
        for (LONG y = start; y < start + count; ++y) {
            block += pclxl::PackBits(RgbRow(blit, rows[static_cast<std::size_t>(y)], columns));
        }
        writer.UInt16(static_cast<std::uint16_t>(start)).Attr(pclxl::kStartLine)
            .UInt16(static_cast<std::uint16_t>(count)).Attr(pclxl::kBlockHeight)
            .UByte(kRleCompression).Attr(pclxl::kCompressMode)
            .Op(pclxl::kReadImage)
            .Data(block);
    }
    writer.Op(pclxl::kEndImage);
    return true;
}

void WriteFilledRectangle(std::string& out, const RECTL& rectangle, ULONG rgb) {
    if (Width(rectangle) <= 0 || Height(rectangle) <= 0) {
        return;
    }
    pclxl::Writer writer(out);
    SetRgbColourSpace(writer);
    const std::string colour = {static_cast<char>((rgb >> 16) & 0xFF),
                                static_cast<char>((rgb >> 8) & 0xFF),
                                static_cast<char>(rgb & 0xFF)};
    writer.UByteArray(colour).Attr(pclxl::kRgbColor).Op(pclxl::kSetBrushSource);
    writer.UByte(kNoPen).Attr(pclxl::kNullPen).Op(pclxl::kSetPenSource);
    writer.SInt16Box(static_cast<std::int16_t>(rectangle.left),
                     static_cast<std::int16_t>(rectangle.top),
                     static_cast<std::int16_t>(rectangle.right),
                     static_cast<std::int16_t>(rectangle.bottom))
        .Attr(pclxl::kBoundingBox)
        .Op(pclxl::kRectangle);
}

std::vector<RECTL> VisibleParts(const RECTL& rectangle, const CLIPOBJ* clip) {
    if (clip == nullptr || clip->iDComplexity == DC_TRIVIAL) {
        return gdi::IntersectRegion({rectangle}, rectangle);
    }
    const gdi::ClipRegion* region = gdi::ClipRegion::Of(clip);
    if (region != nullptr && clip->iDComplexity == DC_COMPLEX) {
        return gdi::IntersectRegion(region->region(), rectangle);
    }
    return gdi::IntersectRegion({clip->rclBounds}, rectangle);
}

}  // namespace sim::unidrv
