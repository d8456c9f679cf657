// The `cmap` walk of the scalable download.
#include <algorithm>

#include "fonts/truetype_download.h"

namespace xlrender {
namespace {

constexpr DWORD kCmapHeaderBytes = 4;
constexpr DWORD kEncodingRecordBytes = 8;
constexpr WORD kSegmentMappingFormat = 4;
constexpr DWORD kFormat4HeaderBytes = 14;
constexpr WORD kPlatformUnicode = 0;
constexpr WORD kPlatformWindows = 3;
constexpr WORD kEncodingSymbol = 0;
constexpr WORD kEncodingUnicodeBmp = 1;
constexpr int kSymbolCodes = 255;  // the symbol path leaves code 255 as it is
constexpr WORD kSymbolCodeBase = 0xF000;
constexpr DWORD kUnicodeUnmappedGlyph = 32;

// A format 4 subtable whose four arrays lie inside `cmap`.
struct SegmentMapping {
    FontTableView cmap;
    DWORD endCodes;  // offsets in `cmap`
    DWORD startCodes;
    DWORD idDeltas;
    DWORD idRangeOffsets;
    WORD segmentCount;

    WORD Word(DWORD array, WORD segment) const {
        return ReadBigEndian16(cmap.bytes + array + 2u * segment);
    }
};

bool ReadSegmentMapping(const FontTableView& cmap, DWORD subtable, SegmentMapping& mapping) {
    if (subtable > cmap.length || cmap.length - subtable < kFormat4HeaderBytes) {
        return false;
    }
    const WORD segmentCount = ReadBigEndian16(cmap.bytes + subtable + 6) / 2;
    const DWORD arrayBytes = 2u * segmentCount;
    // endCode, a reserved word, startCode, idDelta, idRangeOffset.
    if (cmap.length - subtable - kFormat4HeaderBytes < 4 * arrayBytes + 2) {
        return false;
    }
    mapping = {cmap,
               subtable + kFormat4HeaderBytes,
               subtable + kFormat4HeaderBytes + arrayBytes + 2,
               subtable + kFormat4HeaderBytes + 2 * arrayBytes + 2,
               subtable + kFormat4HeaderBytes + 3 * arrayBytes + 2,
               segmentCount};
    return true;
}

// The glyph of `code` in `segment`, whose first code is `start`; 0 when the glyph index array
// entry lies outside the table. The OpenType cmap format adds the segment's delta to glyph index
// array entries too, except to 0, the missing glyph; fonts are built and read that way.
DWORD SegmentGlyph(const SegmentMapping& mapping, WORD segment, DWORD code, DWORD start) {
    const WORD delta = mapping.Word(mapping.idDeltas, segment);
    const WORD rangeOffset = mapping.Word(mapping.idRangeOffsets, segment);
    if (rangeOffset == 0) {
        return (delta + code) & 0xFFFFu;
    }
    const DWORD entry = mapping.idRangeOffsets + 2u * segment + rangeOffset + 2 * (code - start);
    if (entry > mapping.cmap.length - 2) {
        return 0;
    }
    const WORD glyph = ReadBigEndian16(mapping.cmap.bytes + entry);
    return glyph == 0 ? 0 : (glyph + delta) & 0xFFFFu;
}

void MapSymbolCodes(const SegmentMapping& mapping, TrueTypeDownload& download) {
    for (int code = 0; code < kSymbolCodes; ++code) {
        DWORD glyph = 0;
        for (WORD segment = 0; segment < mapping.segmentCount; ++segment) {
            const DWORD start = mapping.Word(mapping.startCodes, segment) & 0xFFu;
            const DWORD end = mapping.Word(mapping.endCodes, segment) & 0xFFu;
            if (start <= static_cast<DWORD>(code) && static_cast<DWORD>(code) <= end) {
                glyph =
                    SegmentGlyph(mapping, segment, kSymbolCodeBase + code, kSymbolCodeBase + start);
                break;
            }
        }
        download.codeToGlyph[code] = glyph;
    }
}

void MapUnicodeCodes(const SegmentMapping& mapping, TrueTypeDownload& download) {
    for (DWORD code = 0; code < kCodeCount; ++code) {
        DWORD glyph = kUnicodeUnmappedGlyph;
        for (WORD segment = 0; segment < mapping.segmentCount; ++segment) {
            const DWORD start = mapping.Word(mapping.startCodes, segment);
            if (start <= code && code <= mapping.Word(mapping.endCodes, segment)) {
                glyph = SegmentGlyph(mapping, segment, code, start);
                break;
            }
        }
        download.codeToGlyph[code] = glyph;
    }
}

bool IsUnicodeEncoding(WORD platform, WORD encoding) {
    return platform == kPlatformUnicode ||
           (platform == kPlatformWindows && encoding == kEncodingUnicodeBmp);
}

}  // namespace

void BuildCodeToGlyphTable(const FontFile& font, TrueTypeDownload& download) {
    for (DWORD code = 0; code < kCodeCount; ++code) {
        download.codeToGlyph[code] = code;
    }
    const FontTableView cmap = FindFontTable(font, "cmap");
    if (!cmap || cmap.length < kCmapHeaderBytes) {
        return;
    }
    const DWORD records = std::min<DWORD>(ReadBigEndian16(cmap.bytes + 2),
                                          (cmap.length - kCmapHeaderBytes) / kEncodingRecordBytes);
    DWORD unicode = 0;
    DWORD symbol = 0;
    for (DWORD i = 0; i < records && unicode == 0; ++i) {
        const BYTE* record = cmap.bytes + kCmapHeaderBytes + kEncodingRecordBytes * i;
        const DWORD subtable = ReadBigEndian32(record + 4);
        if (subtable > cmap.length - 2) {
            continue;
        }
        download.cmapFormat = ReadBigEndian16(cmap.bytes + subtable);
        if (download.cmapFormat != kSegmentMappingFormat) {
            continue;
        }
        const WORD platform = ReadBigEndian16(record);
        const WORD encoding = ReadBigEndian16(record + 2);
        if (IsUnicodeEncoding(platform, encoding)) {
            unicode = subtable;
        } else if (symbol == 0 && platform == kPlatformWindows && encoding == kEncodingSymbol) {
            symbol = subtable;
        }
    }
    // The subtable's encoding alone chooses between Unicode and symbol codes, however few glyphs
    // the font has: a small Unicode font (a subset) read through the symbol codes 0xF000 + code
    // would show nothing but missing glyphs.
    SegmentMapping mapping{};
    if (unicode != 0 && ReadSegmentMapping(cmap, unicode, mapping)) {
        MapUnicodeCodes(mapping, download);
    } else if (symbol != 0 && ReadSegmentMapping(cmap, symbol, mapping)) {
        MapSymbolCodes(mapping, download);
    }
}

}  // namespace xlrender
