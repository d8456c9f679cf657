#include "fonts/font_tables.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/text.h"

namespace xlrender {
namespace {

constexpr DWORD kDirectoryEntryBytes = 16;
// The offset table (12 bytes) and the "gdir" entry.
constexpr DWORD kRebuiltDirectoryFixedBytes = 28;
constexpr DWORD kLargestSize = 0xFFFFFFFFu;

// The tables a printer needs to scale and hint TrueType outlines; glyphs go with each character.
// Tags compare as text, so "cvt" also names a tag whose last byte is zero.
constexpr const char* kHeaderTables[] = {"cvt",  "cvt ", "fpgm", "head",
                                         "hhea", "hmtx", "maxp", "prep"};

bool IsHeaderTable(const char* tag) {
    return std::any_of(std::begin(kHeaderTables), std::end(kHeaderTables),
                       [tag](const char* wanted) { return EqualNoCase(tag, wanted); });
}

bool AlreadyListed(const FontTableRecord* records, DWORD count, const char* tag) {
    return std::any_of(records, records + count, [tag](const FontTableRecord& record) {
        return std::memcmp(record.tag, tag, 4) == 0;
    });
}

}  // namespace

bool SelectFontTables(const FontFile& font, FontTableRecord* records,
                      FontTableSelection& selection) {
    selection = {};
    const WORD tables = TableDirectoryBytes(font) == 0 ? 0 : ReadBigEndian16(font.bytes + 4);
    for (WORD i = 0; i < tables; ++i) {
        const TableDirectoryEntry entry = ReadTableDirectoryEntry(font, i);
        if (!TableFitsFile(font, entry) ||
            AlreadyListed(records, selection.recordCount, entry.tag)) {
            continue;
        }
        FontTableRecord& record = records[selection.recordCount++];
        record = {};
        std::memcpy(record.tag, entry.tag, 4);
        record.checksum = entry.checksum;
        record.offset = entry.offset;
        record.length = entry.length;
        record.selected = IsHeaderTable(record.tag);
        selection.selectedCount += record.selected ? 1 : 0;
    }
    std::stable_sort(records, records + selection.recordCount,
                     [](const FontTableRecord& left, const FontTableRecord& right) {
                         return left.offset < right.offset;
                     });
    selection.directoryBytes =
        kDirectoryEntryBytes * selection.selectedCount + kRebuiltDirectoryFixedBytes;
    DWORD nextOffset = selection.directoryBytes;
    for (DWORD i = 0; i < selection.recordCount; ++i) {
        FontTableRecord& record = records[i];
        const DWORD following = i + 1 < selection.recordCount ? records[i + 1].offset : font.size;
        record.paddedLength = std::max(record.length, following - record.offset);
        if (!record.selected) {
            continue;
        }
        if (record.paddedLength > kLargestSize - nextOffset) {
            return false;
        }
        record.newOffset = nextOffset;
        nextOffset += record.paddedLength;
    }
    selection.segmentBytes = nextOffset;
    return true;
}

}  // namespace xlrender
