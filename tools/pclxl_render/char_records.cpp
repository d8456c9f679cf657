#include "pclxl_render/char_records.h"

#include <algorithm>

#include "pclxl_render/big_endian.h"

namespace pclxl_render {

namespace {

constexpr std::uint8_t kBitmapFormat = 0;
constexpr std::uint8_t kTrueTypeFormat = 1;
constexpr std::uint8_t kBitmapClass = 0;
constexpr std::uint8_t kGlyphOnlyClass = 0;
constexpr std::uint8_t kHorizontalMetricsClass = 1;
constexpr std::uint8_t kVerticalMetricsClass = 2;
// Format, class and the data size field: the data size counts from the field itself.
constexpr std::size_t kBytesBeforeDataSize = 2;

std::string ReadFormatAndClass(BigEndianReader& reader, std::uint8_t expectedFormat,
                               std::uint8_t& charClass) {
    std::uint8_t format = 0;
    if (!reader.U8(format) || !reader.U8(charClass)) {
        return "the character record holds " + std::to_string(reader.remaining()) +
               " bytes, too few for its format and class";
    }
    if (format != expectedFormat) {
        return "character format " + std::to_string(format) + " does not belong to a " +
               (expectedFormat == kBitmapFormat ? "bitmap font (format 0)"
                                                : "TrueType font (format 1)");
    }
    return "";
}

}  // namespace

std::string ParseBitmapChar(std::span<const std::uint8_t> record, BitmapChar& out) {
    BigEndianReader reader(record);
    std::uint8_t charClass = 0;
    if (std::string problem = ReadFormatAndClass(reader, kBitmapFormat, charClass);
        !problem.empty()) {
        return problem;
    }
    if (charClass != kBitmapClass) {
        return "bitmap character class " + std::to_string(charClass) + " is not supported (0)";
    }
    if (!reader.S16(out.leftOffset) || !reader.S16(out.topOffset) || !reader.U16(out.width) ||
        !reader.U16(out.height)) {
        return "the bitmap character record holds " + std::to_string(record.size()) +
               " bytes, too few for its 10-byte description";
    }
    const std::size_t rowsSize = (out.width + 7u) / 8u * std::size_t{out.height};
    if (reader.remaining() != rowsSize) {
        return "a " + std::to_string(out.width) + " x " + std::to_string(out.height) +
               " bitmap character needs " + std::to_string(rowsSize) +
               " bytes of rows; the record carries " + std::to_string(reader.remaining());
    }
    std::span<const std::uint8_t> rows;
    reader.Take(rowsSize, rows);
    out.rows.assign(rows.begin(), rows.end());
    return "";
}

std::string ParseTrueTypeChar(std::span<const std::uint8_t> record, TrueTypeChar& out) {
    BigEndianReader reader(record);
    std::uint8_t charClass = 0;
    if (std::string problem = ReadFormatAndClass(reader, kTrueTypeFormat, charClass);
        !problem.empty()) {
        return problem;
    }
    if (charClass != kGlyphOnlyClass && charClass != kHorizontalMetricsClass &&
        charClass != kVerticalMetricsClass) {
        return "TrueType character class " + std::to_string(charClass) +
               " is not supported (0, 1, 2)";
    }
    std::uint16_t dataSize = 0;
    if (!reader.U16(dataSize) || dataSize != record.size() - kBytesBeforeDataSize) {
        return "the TrueType character's data size field says " + std::to_string(dataSize) +
               " bytes; the record holds " +
               std::to_string(record.size() - std::min(record.size(), kBytesBeforeDataSize)) +
               " from that field on";
    }
    out.metric.reset();
    bool complete = true;
    if (charClass != kGlyphOnlyClass) {
        HorizontalMetric metric;
        complete = reader.S16(metric.leftSideBearing) && reader.U16(metric.advanceWidth);
        out.metric = metric;
    }
    std::int16_t topSideBearing = 0;  // vertical text is not drawn
    if (complete && charClass == kVerticalMetricsClass) {
        complete = reader.S16(topSideBearing);
    }
    if (!complete || !reader.U16(out.glyphId)) {
        return "the TrueType character record of class " + std::to_string(charClass) +
               " ends before its glyph id";
    }
    std::span<const std::uint8_t> outline;
    reader.Take(reader.remaining(), outline);
    out.outline.assign(outline.begin(), outline.end());
    return "";
}

}  // namespace pclxl_render
