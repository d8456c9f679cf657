#include "unidrv/raster_output.h"

#include <algorithm>
#include <cmath>

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

std::string RgbRow(const RasterBlit& blit, LONG y, LONG left, LONG width) {
    std::string row;
    row.reserve((static_cast<std::size_t>(width) * 3 + kRowAlignment - 1) / kRowAlignment *
                kRowAlignment);
    for (LONG x = left; x < left + width; ++x) {
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
    const LONG width = Width(blit.source);
    const LONG height = Height(blit.source);
    if (width <= 0 || height <= 0 || Width(blit.destination) <= 0 ||
        Height(blit.destination) <= 0) {
        return true;
    }
    pclxl::Writer writer(out);
    SetRgbColourSpace(writer);
    writer.SInt16Xy(static_cast<std::int16_t>(blit.destination.left),
                    static_cast<std::int16_t>(blit.destination.top))
        .Attr(pclxl::kPoint)
        .Op(pclxl::kSetCursor);
    writer.UByte(kDirectPixel).Attr(pclxl::kColorMapping)
        .UByte(kDepth8Bit).Attr(pclxl::kColorDepth)
        .UInt16(static_cast<std::uint16_t>(width)).Attr(pclxl::kSourceWidth)
        .UInt16(static_cast<std::uint16_t>(height)).Attr(pclxl::kSourceHeight)
        .UInt16Xy(static_cast<std::uint16_t>(Width(blit.destination)),
                  static_cast<std::uint16_t>(Height(blit.destination)))
        .Attr(pclxl::kDestinationSize)
        .Op(pclxl::kBeginImage);
    for (LONG start = 0; start < height; start += kRowsPerBlock) {
        const LONG rows = std::min(kRowsPerBlock, height - start);
        std::string block;
        for (LONG y = start; y < start + rows; ++y) {
            block += pclxl::PackBits(RgbRow(blit, blit.source.top + y, blit.source.left, width));
        }
        writer.UInt16(static_cast<std::uint16_t>(start)).Attr(pclxl::kStartLine)
            .UInt16(static_cast<std::uint16_t>(rows)).Attr(pclxl::kBlockHeight)
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

RECTL SourceForVisiblePart(const RECTL& source, const RECTL& destination, const RECTL& visible) {
    const double scaleX = static_cast<double>(Width(source)) / Width(destination);
    const double scaleY = static_cast<double>(Height(source)) / Height(destination);
    const auto map = [](LONG origin, LONG destinationOrigin, LONG value, double scale,
                        auto round) {
        return origin + static_cast<LONG>(round((value - destinationOrigin) * scale));
    };
    const auto down = [](double v) { return std::floor(v); };
    const auto up = [](double v) { return std::ceil(v); };
    return {map(source.left, destination.left, visible.left, scaleX, down),
            map(source.top, destination.top, visible.top, scaleY, down),
            map(source.left, destination.left, visible.right, scaleX, up),
            map(source.top, destination.top, visible.bottom, scaleY, up)};
}

}  // namespace sim::unidrv
