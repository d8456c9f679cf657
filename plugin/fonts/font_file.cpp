#include "fonts/font_file.h"

#include <cstring>

namespace xlrender {
namespace {

constexpr DWORD kOffsetTableBytes = 12;
constexpr DWORD kDirectoryEntryBytes = 16;
constexpr DWORD kCollectionTag = 't' << 24 | 't' << 16 | 'c' << 8 | 'f';
constexpr DWORD kHeadBytes = 54;
constexpr DWORD kHeadIndexToLocFormat = 50;
constexpr DWORD kMaxpGlyphCount = 4;
constexpr DWORD kMaxpMinimumBytes = 6;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool TagMatchesNoCase(const char* left, const char* right) {
    for (int i = 0; i < 4; ++i) {
        if (LowerAscii(left[i]) != LowerAscii(right[i])) {
            return false;
        }
    }
    return true;
}

// The first table inside the file whose tag matches; `ignoreCase` compares ASCII letters
// without regard to case.
FontTableView FindTable(const FontFile& font, const char* tag, bool ignoreCase) {
    if (TableDirectoryBytes(font) == 0) {
        return {};
    }
    const WORD tables = ReadBigEndian16(font.bytes + 4);
    for (WORD i = 0; i < tables; ++i) {
        const TableDirectoryEntry entry = ReadTableDirectoryEntry(font, i);
        const bool matches =
            ignoreCase ? TagMatchesNoCase(entry.tag, tag) : std::memcmp(entry.tag, tag, 4) == 0;
        if (matches && TableFitsFile(font, entry)) {
            return {font.bytes + entry.offset, entry.length};
        }
    }
    return {};
}

}  // namespace

DWORD SwapBytes32(DWORD value) {
    return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

WORD ReadBigEndian16(const BYTE* bytes) {
    return static_cast<WORD>(bytes[0] << 8 | bytes[1]);
}

DWORD ReadBigEndian32(const BYTE* bytes) {
    DWORD value;
    std::memcpy(&value, bytes, sizeof value);
    return SwapBytes32(value);
}

void WriteBigEndian16(BYTE* at, WORD value) {
    at[0] = static_cast<BYTE>(value >> 8);
    at[1] = static_cast<BYTE>(value);
}

void WriteBigEndian32(BYTE* at, DWORD value) {
    const DWORD swapped = SwapBytes32(value);
    std::memcpy(at, &swapped, sizeof swapped);
}

DWORD TableDirectoryBytes(const FontFile& font) {
    if (font.bytes == nullptr || font.size < kOffsetTableBytes ||
        ReadBigEndian32(font.bytes) == kCollectionTag) {
        return 0;
    }
    const DWORD bytes = kOffsetTableBytes + kDirectoryEntryBytes * ReadBigEndian16(font.bytes + 4);
    return bytes <= font.size ? bytes : 0;
}

TableDirectoryEntry ReadTableDirectoryEntry(const FontFile& font, WORD index) {
    const BYTE* entry = font.bytes + kOffsetTableBytes + kDirectoryEntryBytes * index;
    TableDirectoryEntry result{};
    std::memcpy(result.tag, entry, sizeof result.tag);
    result.checksum = ReadBigEndian32(entry + 4);
    result.offset = ReadBigEndian32(entry + 8);
    result.length = ReadBigEndian32(entry + 12);
    return result;
}

bool TableFitsFile(const FontFile& font, const TableDirectoryEntry& entry) {
    return entry.offset <= font.size && entry.length <= font.size - entry.offset;
}

FontTableView FindFontTable(const FontFile& font, const char* tag) {
    return FindTable(font, tag, true);
}

bool HasTrueTypeOutlines(const FontFile& font) {
    if (TableDirectoryBytes(font) == 0) {
        return false;
    }
    const WORD tables = ReadBigEndian16(font.bytes + 4);
    for (WORD i = 0; i < tables; ++i) {
        if (!TableFitsFile(font, ReadTableDirectoryEntry(font, i))) {
            return false;
        }
    }
    const FontTableView head = FindFontTable(font, "head");
    return FindFontTable(font, "glyf") && FindFontTable(font, "loca") && CountGlyphs(font) != 0 &&
           head && head.length >= kHeadBytes;
}

WORD CountGlyphs(const FontFile& font) {
    FontTableView maxp = FindTable(font, "maxp", false);
    if (!maxp) {
        maxp = FindTable(font, "MAXP", false);
    }
    return maxp && maxp.length >= kMaxpMinimumBytes ? ReadBigEndian16(maxp.bytes + kMaxpGlyphCount)
                                                    : 0;
}

const BYTE* LocateGlyph(const FontFile& font, WORD glyphIndex, DWORD& length) {
    length = 0;
    const FontTableView glyf = FindFontTable(font, "glyf");
    const FontTableView loca = FindFontTable(font, "loca");
    const FontTableView head = FindFontTable(font, "head");
    if (!glyf || !loca || !head || head.length < kHeadBytes || glyphIndex >= CountGlyphs(font)) {
        return nullptr;
    }
    const bool longOffsets = ReadBigEndian16(head.bytes + kHeadIndexToLocFormat) != 0;
    const DWORD entryBytes = longOffsets ? 4 : 2;
    if ((static_cast<DWORD>(glyphIndex) + 2) * entryBytes > loca.length) {
        return nullptr;
    }
    const BYTE* entry = loca.bytes + glyphIndex * entryBytes;
    const DWORD start = longOffsets ? ReadBigEndian32(entry) : ReadBigEndian16(entry) * 2u;
    const DWORD next = longOffsets ? ReadBigEndian32(entry + 4) : ReadBigEndian16(entry + 2) * 2u;
    if (next == 0 || next < start || next > glyf.length) {
        return nullptr;
    }
    length = next - start;
    return glyf.bytes + start;
}

}  // namespace xlrender
