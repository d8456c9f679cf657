#include "pclxl_render/font_header.h"

#include <algorithm>

#include "pclxl_render/big_endian.h"

namespace pclxl_render {

namespace {

constexpr std::uint8_t kFontHeaderFormat = 0;
constexpr std::uint8_t kHighestOrientation = 3;  // reverse landscape
constexpr std::uint8_t kVariety = 0;

constexpr std::uint16_t SegmentId(char first, char second) {
    return static_cast<std::uint16_t>(first << 8 | second);
}
constexpr std::uint16_t kBitmapResolutionSegment = SegmentId('B', 'R');
constexpr std::uint16_t kGlobalTrueTypeSegment = SegmentId('G', 'T');
constexpr std::uint16_t kNullSegment = 0xFFFF;
// Segments that only matter to vertical writing and substitution, which a preview of horizontal
// text does not use: accepted and left aside.
constexpr std::uint16_t kIgnoredSegments[] = {
    SegmentId('G', 'C'),  // galley characters
    SegmentId('V', 'I'),  // vertical information
    SegmentId('V', 'R'),  // vertical rotation
    SegmentId('V', 'T'),  // vertical substitutes
};

constexpr std::size_t kTableDirectoryHeaderSize = 12;
constexpr std::size_t kTableDirectoryEntrySize = 16;
constexpr std::uint32_t kPlaceholderTable = TableTag("gdir");
constexpr std::uint16_t kMinUnitsPerEm = 16;
constexpr std::uint16_t kMaxUnitsPerEm = 16384;

std::string SegmentName(std::uint16_t id) {
    const char first = static_cast<char>(id >> 8);
    const char second = static_cast<char>(id & 0xFF);
    if (first >= ' ' && first <= '~' && second >= ' ' && second <= '~') {
        return std::string("\"") + first + second + "\"";
    }
    static const char kHex[] = "0123456789ABCDEF";
    return std::string("0x") + kHex[id >> 12] + kHex[(id >> 8) & 15] + kHex[(id >> 4) & 15] +
           kHex[id & 15];
}

std::string TagName(std::uint32_t tag) {
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((tag >> shift) & 0xFF);
        name += (c >= ' ' && c <= '~') ? c : '?';
    }
    return "\"" + name + "\"";
}

std::string ReadBitmapResolution(std::span<const std::uint8_t> data, FontHeader& header) {
    BigEndianReader reader(data);
    if (!reader.U16(header.xResolution) || !reader.U16(header.yResolution)) {
        return "the \"BR\" segment holds " + std::to_string(data.size()) +
               " bytes; it needs 4 (horizontal and vertical resolution)";
    }
    if (header.xResolution == 0 || header.yResolution == 0) {
        return "the \"BR\" segment gives a resolution of 0 dots per inch";
    }
    return "";
}

// The "GT" segment: a TrueType table directory whose offsets count from the segment's start,
// then the tables.
std::string ReadTableDirectory(std::span<const std::uint8_t> data, std::size_t dataOffset,
                               FontHeader& header) {
    BigEndianReader reader(data);
    std::uint32_t version = 0;
    std::uint16_t tableCount = 0;
    std::span<const std::uint8_t> unused;
    if (!reader.U32(version) || !reader.U16(tableCount) ||
        !reader.Take(kTableDirectoryHeaderSize - 6, unused) ||
        !reader.Has(std::size_t{tableCount} * kTableDirectoryEntrySize)) {
        return "the \"GT\" segment's table directory runs past the segment's " +
               std::to_string(data.size()) + " bytes";
    }
    for (std::uint16_t i = 0; i < tableCount; ++i) {
        std::uint32_t tag = 0, checksum = 0, offset = 0, length = 0;
        reader.U32(tag);
        reader.U32(checksum);
        reader.U32(offset);
        reader.U32(length);
        if (tag == kPlaceholderTable) {
            continue;
        }
        if (offset > data.size() || length > data.size() - offset) {
            return "table " + TagName(tag) + " (offset " + std::to_string(offset) + ", " +
                   std::to_string(length) + " bytes) lies outside the \"GT\" segment's " +
                   std::to_string(data.size()) + " bytes";
        }
        const bool repeated = std::any_of(header.tables.begin(), header.tables.end(),
                                          [tag](const TableRecord& t) { return t.tag == tag; });
        if (repeated) {
            return "table " + TagName(tag) + " appears twice in the \"GT\" segment";
        }
        header.tables.push_back({tag, dataOffset + offset, length});
    }
    return "";
}

std::string CheckTrueTypeTables(const FontHeader& header) {
    const auto head = header.Table(TableTag("head"));
    if (head.size() < kHeadTableMinSize) {
        return "the \"GT\" segment has no usable \"head\" table";
    }
    const std::uint16_t unitsPerEm = PeekU16(head, kHeadUnitsPerEmOffset);
    if (unitsPerEm < kMinUnitsPerEm || unitsPerEm > kMaxUnitsPerEm) {
        return "the \"head\" table gives " + std::to_string(unitsPerEm) +
               " units per em; TrueType allows 16 to 16384";
    }
    if (header.Table(TableTag("maxp")).size() < kMaxpTableMinSize) {
        return "the \"GT\" segment has no usable \"maxp\" table";
    }
    const auto hhea = header.Table(TableTag("hhea"));
    if (!hhea.empty() && hhea.size() < kHheaTableSize) {
        return "the \"hhea\" table holds " + std::to_string(hhea.size()) + " bytes, not 36";
    }
    return "";
}

bool IsIgnoredSegment(std::uint16_t id) {
    return std::find(std::begin(kIgnoredSegments), std::end(kIgnoredSegments), id) !=
           std::end(kIgnoredSegments);
}

std::string ReadSegments(BigEndianReader& reader, FontHeader& header) {
    bool haveResolution = false;
    bool haveTables = false;
    for (;;) {
        const std::size_t segmentStart = reader.position();
        std::uint16_t id = 0;
        std::uint32_t size = 0;
        if (!reader.U16(id) || !reader.U32(size)) {
            return "the font header ends at byte " + std::to_string(segmentStart) +
                   " without its null segment";
        }
        std::span<const std::uint8_t> data;
        if (!reader.Take(size, data)) {
            return "segment " + SegmentName(id) + " at byte " + std::to_string(segmentStart) +
                   " announces " + std::to_string(size) + " bytes; " +
                   std::to_string(reader.remaining()) + " follow";
        }
        std::string problem;
        if (id == kNullSegment) {
            if (size != 0) {
                return "the null segment announces " + std::to_string(size) + " bytes, not 0";
            }
            break;
        } else if (id == kBitmapResolutionSegment && !haveResolution) {
            haveResolution = true;
            problem = ReadBitmapResolution(data, header);
        } else if (id == kGlobalTrueTypeSegment && !haveTables) {
            haveTables = true;
            problem = ReadTableDirectory(data, segmentStart + 6, header);
        } else if (id == kBitmapResolutionSegment || id == kGlobalTrueTypeSegment) {
            problem = "segment " + SegmentName(id) + " appears twice";
        } else if (!IsIgnoredSegment(id)) {
            problem = "segment " + SegmentName(id) + " at byte " + std::to_string(segmentStart) +
                      " is not supported";
        }
        if (!problem.empty()) {
            return problem;
        }
    }
    if (header.technology == ScalingTechnology::kBitmap && !haveResolution) {
        return "the bitmap font has no \"BR\" (bitmap resolution) segment";
    }
    if (header.technology == ScalingTechnology::kTrueType) {
        return haveTables ? CheckTrueTypeTables(header)
                          : "the TrueType font has no \"GT\" (global TrueType data) segment";
    }
    return "";
}

}  // namespace

std::span<const std::uint8_t> FontHeader::Table(std::uint32_t tag) const {
    for (const TableRecord& table : tables) {
        if (table.tag == tag) {
            return std::span<const std::uint8_t>(bytes).subspan(table.offset, table.length);
        }
    }
    return {};
}

std::string ParseFontHeader(std::vector<std::uint8_t> bytes, FontHeader& header) {
    header = FontHeader{};
    header.bytes = std::move(bytes);
    BigEndianReader reader(header.bytes);
    std::uint8_t format = 0, technology = 0, variety = 0;
    if (!reader.U8(format) || !reader.U8(header.orientation) || !reader.U16(header.mapping) ||
        !reader.U8(technology) || !reader.U8(variety) || !reader.U16(header.charCount)) {
        return "the font header holds " + std::to_string(header.bytes.size()) +
               " bytes; its description alone needs 8";
    }
    if (format != kFontHeaderFormat) {
        return "font header format " + std::to_string(format) + " is not supported (0)";
    }
    if (header.orientation > kHighestOrientation) {
        return "font orientation " + std::to_string(header.orientation) + " is not 0 to 3";
    }
    if (technology != static_cast<std::uint8_t>(ScalingTechnology::kTrueType) &&
        technology != static_cast<std::uint8_t>(ScalingTechnology::kBitmap)) {
        return "font scaling technology " + std::to_string(technology) +
               " is not supported (1 TrueType, 254 bitmap)";
    }
    header.technology = static_cast<ScalingTechnology>(technology);
    if (variety != kVariety) {
        return "font variety " + std::to_string(variety) + " is not supported (0)";
    }
    return ReadSegments(reader, header);
}

}  // namespace pclxl_render
