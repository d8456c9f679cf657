#include "raster_decoder.h"

#include <algorithm>
#include <string>

#include "jpeg_decoder.h"
#include "pclxl_dump/byte_cursor.h"
#include "pclxl_dump/pclxl_names.h"
#include "render_error.h"

namespace pclxl_render {
namespace {

namespace attr = pclxl_dump::attr;

constexpr std::uint32_t kDirectPixel = 0, kIndexedPixel = 1;
constexpr std::uint32_t kNoCompression = 0, kRleCompression = 1, kJpegCompression = 2,
                        kDeltaRowCompression = 3;
constexpr int kDepthBits[] = {1, 4, 8};  // e1Bit, e4Bit, e8Bit
constexpr int kDefaultPadMultiple = 4;
constexpr int kMaxPadMultiple = 4;
// Decoded images larger than this are refused: it is far more than a page needs.
constexpr double kMaxRasterBytes = 256.0 * 1024 * 1024;
constexpr int kMaxSide = 65535;
constexpr std::uint8_t kPackBitsNoOp = 128;

int CheckedInt(const Attributes& attributes, std::uint32_t id, int low, int high) {
    const double value = attributes.Number(id);
    if (!(value >= low && value <= high)) {
        throw RenderError(AttributeLabel(id) + " " + std::to_string(static_cast<long long>(value)) +
                          " is outside " + std::to_string(low) + ".." + std::to_string(high));
    }
    return static_cast<int>(value);
}

}  // namespace

RasterFormat ReadRasterFormat(const Attributes& attributes, const ColourSpace& space) {
    RasterFormat format;
    const std::uint32_t mapping = attributes.Integer(attr::kColorMapping);
    if (mapping != kDirectPixel && mapping != kIndexedPixel) {
        throw RenderError("ColorMapping " + std::to_string(mapping) + " is not drawn");
    }
    format.indexed = mapping == kIndexedPixel;
    const std::uint32_t depth = attributes.Integer(attr::kColorDepth);
    if (depth >= std::size(kDepthBits)) {
        throw RenderError("ColorDepth " + std::to_string(depth) + " is not drawn");
    }
    format.bitsPerIndex = kDepthBits[depth];
    if (format.indexed && space.palette.empty()) {
        throw RenderError("an eIndexedPixel raster needs a palette in the colour space");
    }
    format.width = CheckedInt(attributes, attr::kSourceWidth, 1, kMaxSide);
    format.height = CheckedInt(attributes, attr::kSourceHeight, 1, kMaxSide);
    if (static_cast<double>(format.width) * format.height * 3 > kMaxRasterBytes) {
        throw RenderError("a raster of " + std::to_string(format.width) + " x " +
                          std::to_string(format.height) + " pixels is larger than " +
                          std::to_string(static_cast<long long>(kMaxRasterBytes) >> 20) +
                          " MB decoded");
    }
    return format;
}

RasterDecoder::RasterDecoder(const RasterFormat& format, ColourSpace space)
    : format_(format), space_(std::move(space)), rows_(static_cast<std::size_t>(format.height)) {}

const std::uint8_t* RasterDecoder::Row(int y) const {
    const auto& row = rows_[static_cast<std::size_t>(y)];
    return row.empty() ? nullptr : row.data();
}

void RasterDecoder::ReadBlock(const Attributes& attributes, std::span<const std::uint8_t> data) {
    const int startLine = CheckedInt(attributes, attr::kStartLine, 0, format_.height - 1);
    const int blockHeight =
        CheckedInt(attributes, attr::kBlockHeight, 1, format_.height - startLine);
    const std::uint32_t compression = attributes.Integer(attr::kCompressMode);
    const int padMultiple =
        attributes.Has(attr::kPadBytesMultiple)
            ? CheckedInt(attributes, attr::kPadBytesMultiple, 1, kMaxPadMultiple)
            : kDefaultPadMultiple;
    switch (compression) {
        case kNoCompression:
        case kRleCompression:
            ReadPackedRows(startLine, blockHeight, padMultiple, compression, data);
            break;
        case kJpegCompression:
            ReadJpegRows(startLine, blockHeight, data);
            break;
        case kDeltaRowCompression:
            ReadDeltaRows(startLine, blockHeight, data);
            break;
        default:
            throw RenderError("CompressMode " + std::to_string(compression) + " is not drawn");
    }
}

std::size_t RasterDecoder::PackedRowBytes() const {
    const int components = format_.indexed ? 1 : space_.Components();
    const std::size_t rowBits =
        static_cast<std::size_t>(format_.width) * format_.bitsPerIndex * components;
    return (rowBits + 7) / 8;
}

void RasterDecoder::ReadPackedRows(int startLine, int rows, int padMultiple,
                                   std::uint32_t compression, std::span<const std::uint8_t> data) {
    const std::size_t rowBytes = PackedRowBytes();
    const std::size_t paddedBytes = (rowBytes + padMultiple - 1) / padMultiple * padMultiple;
    std::vector<std::uint8_t> unpacked;
    if (compression == kNoCompression) {
        unpacked.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                         data.size(), paddedBytes * rows)));
    } else {
        // PackBits, run on across row ends: a count byte n below 128 copies n + 1 bytes, above
        // 128 repeats the next byte 257 - n times.
        const std::size_t wanted = paddedBytes * rows;
        std::size_t at = 0;
        while (at < data.size() && unpacked.size() < wanted) {
            const std::uint8_t count = data[at++];
            if (count < kPackBitsNoOp) {
                const std::size_t literal = std::min<std::size_t>(count + 1u, data.size() - at);
                unpacked.insert(unpacked.end(), data.begin() + at, data.begin() + at + literal);
                at += literal;
            } else if (count > kPackBitsNoOp && at < data.size()) {
                unpacked.insert(unpacked.end(), 257u - count, data[at++]);
            }
        }
        unpacked.resize(std::min(unpacked.size(), wanted));
    }
    if (unpacked.size() < paddedBytes * rows) {
        throw RenderError("the data holds " + std::to_string(unpacked.size() / paddedBytes) +
                          " of the block's " + std::to_string(rows) + " rows (" +
                          std::to_string(paddedBytes) + " bytes each, padded to a multiple of " +
                          std::to_string(padMultiple) + ")");
    }
    for (int row = 0; row < rows; ++row) {
        StoreRow(startLine + row, std::span(unpacked).subspan(
                                      static_cast<std::size_t>(row) * paddedBytes, rowBytes));
    }
}

void RasterDecoder::StoreRow(int y, std::span<const std::uint8_t> packed) {
    auto& row = rows_[static_cast<std::size_t>(y)];
    row.resize(static_cast<std::size_t>(format_.width) * 3);
    const int bits = format_.bitsPerIndex;
    const unsigned maxValue = (1u << bits) - 1;
    const auto sample = [&](std::size_t index) -> unsigned {
        const std::size_t bit = index * bits;
        return (packed[bit / 8] >> (8 - bits - bit % 8)) & maxValue;
    };
    const auto level = [&](unsigned value) {
        return static_cast<std::uint8_t>(value * 255 / maxValue);
    };
    for (int x = 0; x < format_.width; ++x) {
        std::uint8_t* pixel = &row[static_cast<std::size_t>(x) * 3];
        if (format_.indexed) {
            const Rgb colour = space_.Entry(sample(x));
            pixel[0] = colour.r, pixel[1] = colour.g, pixel[2] = colour.b;
        } else if (space_.model == ColourModel::kGray) {
            pixel[0] = pixel[1] = pixel[2] = level(sample(x));
        } else {
            for (int c = 0; c < 3; ++c) {
                pixel[c] = level(sample(static_cast<std::size_t>(x) * 3 + c));
            }
        }
    }
}

void RasterDecoder::ReadDeltaRows(int startLine, int rows, std::span<const std::uint8_t> data) {
    // Each row: its byte count (uint16, little-endian; 0 repeats the seed row), then commands.
    // A command byte holds the number of bytes to replace less one (bits 7-5) and how many
    // bytes of the seed row to keep before them (bits 4-0; 31 adds the following bytes, up to
    // one below 255). The seed row starts as zeros at the image's first row and is the
    // previous decoded row after that, across ReadImage blocks. Rows are not padded.
    constexpr unsigned kOffsetBits = 0x1F, kCountShift = 5;
    constexpr std::uint8_t kOffsetGoesOn = 0xFF;
    if (seed_.empty()) {
        seed_.assign(PackedRowBytes(), 0);
    }
    pclxl_dump::ByteCursor cursor(data);
    const auto byte = [&cursor](std::size_t& left) {
        std::uint32_t value = 0;
        if (left == 0 || !cursor.ReadLittle(1, value)) {
            throw RenderError("a delta row's commands run past its byte count or the data");
        }
        --left;
        return static_cast<std::uint8_t>(value);
    };
    for (int row = 0; row < rows; ++row) {
        std::uint32_t count = 0;
        if (!cursor.ReadLittle(2, count)) {
            throw RenderError("the data holds " + std::to_string(row) + " of the block's " +
                              std::to_string(rows) + " delta rows");
        }
        std::size_t left = count;
        std::size_t at = 0;
        while (left > 0) {
            const std::uint8_t command = byte(left);
            std::size_t offset = command & kOffsetBits;
            if (offset == kOffsetBits) {
                std::uint8_t more = kOffsetGoesOn;
                while (more == kOffsetGoesOn) {
                    more = byte(left);
                    offset += more;
                }
            }
            at += offset;
            for (unsigned n = (command >> kCountShift) + 1u; n > 0; --n, ++at) {
                const std::uint8_t value = byte(left);
                if (at >= seed_.size()) {
                    throw RenderError("a delta row replaces bytes past the row's " +
                                      std::to_string(seed_.size()));
                }
                seed_[at] = value;
            }
        }
        StoreRow(startLine + row, seed_);
    }
}

void RasterDecoder::ReadJpegRows(int startLine, int rows, std::span<const std::uint8_t> data) {
    if (format_.indexed) {
        throw RenderError("JPEG data cannot carry palette indices");
    }
    DecodedJpeg jpeg;
    const std::string problem = DecodeJpeg(data, format_.width, rows, jpeg);
    if (!problem.empty()) {
        throw RenderError(problem);
    }
    if (jpeg.width != format_.width) {
        throw RenderError("the JPEG data is " + std::to_string(jpeg.width) +
                          " pixels wide, the image " + std::to_string(format_.width));
    }
    for (int row = 0; row < jpeg.height; ++row) {
        const std::size_t rowBytes = static_cast<std::size_t>(jpeg.width) * 3;
        const auto source = std::span(jpeg.rgb).subspan(row * rowBytes, rowBytes);
        rows_[static_cast<std::size_t>(startLine + row)].assign(source.begin(), source.end());
    }
}

}  // namespace pclxl_render
