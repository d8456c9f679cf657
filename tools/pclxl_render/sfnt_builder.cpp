#include "pclxl_render/sfnt_builder.h"

#include <algorithm>
#include <span>

#include "pclxl_render/big_endian.h"

namespace pclxl_render {

namespace {

constexpr std::uint32_t kTrueTypeVersion = 0x00010000;
constexpr std::uint32_t kHheaVersion = 0x00010000;
constexpr std::size_t kSfntHeaderSize = 12;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::uint16_t kLongLocaOffsets = 1;
constexpr std::size_t kHheaAdvanceWidthMaxOffset = 10;
constexpr std::size_t kGlyphXMinOffset = 2;
constexpr std::size_t kLongHorMetricSize = 4;
constexpr std::size_t kLongLocaEntrySize = 4;
constexpr std::uint16_t kMaxGlyphCount = 0xFFFF;

struct Table {
    std::uint32_t tag;
    std::vector<std::uint8_t> bytes;
};

std::uint16_t GlyphCount(const FontHeader& header,
                         const std::map<std::uint16_t, TrueTypeChar>& glyphs) {
    std::uint32_t count = PeekU16(header.Table(TableTag("maxp")), kMaxpNumGlyphsOffset);
    if (!glyphs.empty()) {
        count = std::max<std::uint32_t>(count, glyphs.rbegin()->first + 1u);
    }
    return static_cast<std::uint16_t>(std::clamp<std::uint32_t>(count, 1, kMaxGlyphCount));
}

// The horizontal metrics of the header's "hhea" and "hmtx" tables, for glyphs that came without
// their own: the table's entry, or no advance and a side bearing that leaves the outline where its
// coordinates put it.
class HeaderMetrics {
public:
    explicit HeaderMetrics(const FontHeader& header) : hmtx_(header.Table(TableTag("hmtx"))) {
        const auto hhea = header.Table(TableTag("hhea"));
        longMetrics_ = hhea.empty() ? 0 : PeekU16(hhea, kHheaNumberOfHMetricsOffset);
    }

    HorizontalMetric For(std::uint16_t glyphId, const TrueTypeChar* glyph) const {
        HorizontalMetric metric;
        if (glyph != nullptr && glyph->outline.size() >= kGlyphXMinOffset + 2) {
            metric.leftSideBearing =
                static_cast<std::int16_t>(PeekU16(glyph->outline, kGlyphXMinOffset));
        }
        if (longMetrics_ == 0) {
            return metric;
        }
        const std::size_t advanceEntry = std::min<std::size_t>(glyphId, longMetrics_ - 1);
        if ((advanceEntry + 1) * kLongHorMetricSize <= hmtx_.size()) {
            metric.advanceWidth = PeekU16(hmtx_, advanceEntry * kLongHorMetricSize);
        }
        const std::size_t bearingOffset =
            glyphId < longMetrics_
                ? glyphId * kLongHorMetricSize + 2
                : longMetrics_ * kLongHorMetricSize + (glyphId - longMetrics_) * 2;
        if (bearingOffset + 2 <= hmtx_.size()) {
            metric.leftSideBearing = static_cast<std::int16_t>(PeekU16(hmtx_, bearingOffset));
        }
        return metric;
    }

private:
    std::span<const std::uint8_t> hmtx_;
    std::size_t longMetrics_ = 0;
};

std::vector<std::uint8_t> CopyOf(std::span<const std::uint8_t> bytes) {
    return {bytes.begin(), bytes.end()};
}

std::uint32_t Checksum(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        std::uint32_t word = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            word = word << 8 | (i + j < bytes.size() ? bytes[i + j] : 0);
        }
        sum += word;
    }
    return sum;
}

std::vector<std::uint8_t> Assemble(std::vector<Table> tables) {
    std::sort(tables.begin(), tables.end(),
              [](const Table& a, const Table& b) { return a.tag < b.tag; });
    std::uint16_t entrySelector = 0;
    while ((2u << entrySelector) <= tables.size()) {
        ++entrySelector;
    }
    const std::uint16_t searchRange =
        static_cast<std::uint16_t>(kDirectoryEntrySize << entrySelector);
    std::vector<std::uint8_t> sfnt;
    AppendU32(sfnt, kTrueTypeVersion);
    AppendU16(sfnt, static_cast<std::uint16_t>(tables.size()));
    AppendU16(sfnt, searchRange);
    AppendU16(sfnt, entrySelector);
    AppendU16(sfnt, static_cast<std::uint16_t>(tables.size() * kDirectoryEntrySize - searchRange));
    std::size_t offset = kSfntHeaderSize + tables.size() * kDirectoryEntrySize;
    for (const Table& table : tables) {
        AppendU32(sfnt, table.tag);
        AppendU32(sfnt, Checksum(table.bytes));
        AppendU32(sfnt, static_cast<std::uint32_t>(offset));
        AppendU32(sfnt, static_cast<std::uint32_t>(table.bytes.size()));
        offset += (table.bytes.size() + 3) / 4 * 4;
    }
    for (const Table& table : tables) {
        sfnt.insert(sfnt.end(), table.bytes.begin(), table.bytes.end());
        sfnt.resize((sfnt.size() + 3) / 4 * 4);
    }
    return sfnt;
}

}  // namespace

RebuiltFont RebuildTrueTypeFont(const FontHeader& header,
                                const std::map<std::uint16_t, TrueTypeChar>& glyphs) {
    const std::uint16_t glyphCount = GlyphCount(header, glyphs);
    RebuiltFont font;
    font.unitsPerEm = PeekU16(header.Table(TableTag("head")), kHeadUnitsPerEmOffset);
    font.advanceWidths.resize(glyphCount);

    std::vector<std::uint8_t> glyf, loca, hmtx;
    std::size_t outlineBytes = 0;
    for (const auto& [id, glyph] : glyphs) {
        outlineBytes += (glyph.outline.size() + 3) / 4 * 4;
    }
    glyf.reserve(outlineBytes);
    loca.reserve((glyphCount + 1u) * kLongLocaEntrySize);
    hmtx.reserve(glyphCount * kLongHorMetricSize);
    const HeaderMetrics headerMetrics(header);
    std::uint16_t widestAdvance = 0;
    auto downloaded = glyphs.begin();  // the next downloaded glyph, in ascending id order
    for (std::uint32_t id = 0; id < glyphCount; ++id) {
        const TrueTypeChar* glyph = nullptr;
        if (downloaded != glyphs.end() && downloaded->first == id) {
            glyph = &downloaded->second;
            ++downloaded;
        }
        AppendU32(loca, static_cast<std::uint32_t>(glyf.size()));
        if (glyph != nullptr) {
            glyf.insert(glyf.end(), glyph->outline.begin(), glyph->outline.end());
            glyf.resize((glyf.size() + 3) / 4 * 4);
        }
        const HorizontalMetric metric =
            glyph != nullptr && glyph->metric
                ? *glyph->metric
                : headerMetrics.For(static_cast<std::uint16_t>(id), glyph);
        AppendU16(hmtx, metric.advanceWidth);
        AppendU16(hmtx, static_cast<std::uint16_t>(metric.leftSideBearing));
        font.advanceWidths[id] = metric.advanceWidth;
        widestAdvance = std::max(widestAdvance, metric.advanceWidth);
    }
    AppendU32(loca, static_cast<std::uint32_t>(glyf.size()));

    std::vector<std::uint8_t> head = CopyOf(header.Table(TableTag("head")));
    StoreU16(head, kHeadIndexToLocFormatOffset, kLongLocaOffsets);
    std::vector<std::uint8_t> maxp = CopyOf(header.Table(TableTag("maxp")));
    StoreU16(maxp, kMaxpNumGlyphsOffset, glyphCount);
    // A font sent without its own horizontal header gets a zeroed one of version 1.0.
    const std::span<const std::uint8_t> sentHhea = header.Table(TableTag("hhea"));
    std::vector<std::uint8_t> hhea(sentHhea.empty() ? kHheaTableSize : sentHhea.size());
    if (sentHhea.empty()) {
        hhea[1] = kHheaVersion >> 16;
    } else {
        std::copy(sentHhea.begin(), sentHhea.end(), hhea.begin());
    }
    StoreU16(hhea, kHheaAdvanceWidthMaxOffset, widestAdvance);
    StoreU16(hhea, kHheaNumberOfHMetricsOffset, glyphCount);

    font.sfnt = Assemble({{TableTag("glyf"), std::move(glyf)},
                          {TableTag("head"), std::move(head)},
                          {TableTag("hhea"), std::move(hhea)},
                          {TableTag("hmtx"), std::move(hmtx)},
                          {TableTag("loca"), std::move(loca)},
                          {TableTag("maxp"), std::move(maxp)}});
    return font;
}

}  // namespace pclxl_render
