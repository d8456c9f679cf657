// Reading a TrueType font file in place. The file comes from whatever font the user picked for
// the watermark, so every read is checked against the file and the table it belongs to: a value
// the file cannot back reads as absent, never past the end.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// A font file image and its size in bytes.
struct FontFile {
    const BYTE* bytes;
    DWORD size;
};

// One table's bytes inside the file; `bytes` is null when the table is absent.
struct FontTableView {
    const BYTE* bytes;
    DWORD length;

    explicit operator bool() const { return bytes != nullptr; }
};

// Font files are big-endian.
DWORD SwapBytes32(DWORD value);
WORD ReadBigEndian16(const BYTE* bytes);
DWORD ReadBigEndian32(const BYTE* bytes);
void WriteBigEndian16(BYTE* at, WORD value);
void WriteBigEndian32(BYTE* at, DWORD value);

// The size of the table directory the file announces (12 + 16 per table), or 0 when the file
// cannot hold it or is a font collection.
DWORD TableDirectoryBytes(const FontFile& font);

// A directory entry's four fields, read from entry `index` of a valid directory.
struct TableDirectoryEntry {
    char tag[4];
    DWORD checksum;
    DWORD offset;
    DWORD length;
};
TableDirectoryEntry ReadTableDirectoryEntry(const FontFile& font, WORD index);

// True when the entry's table lies wholly inside the file (offset + length computed without
// wrapping).
bool TableFitsFile(const FontFile& font, const TableDirectoryEntry& entry);

// The first table whose tag matches `tag` (four characters) without regard to ASCII case and
// that lies inside the file; absent otherwise.
FontTableView FindFontTable(const FontFile& font, const char* tag);

// True when the file carries TrueType outlines the scalable download can send: a directory
// whose every table lies inside the file (no collection), with `glyf`, `loca`, `maxp` and a full
// `head` table. A font with other outlines (CFF) has to be drawn as bitmaps.
bool HasTrueTypeOutlines(const FontFile& font);

// The glyph count of `maxp` (found as "maxp" or "MAXP"); 0 when absent or too short.
WORD CountGlyphs(const FontFile& font);

// The bytes of glyph `glyphIndex` inside `glyf`, with their length; null when the outline
// tables are missing or too short, the index is not below the glyph count, or the `loca`
// entries run backwards or past `glyf`. An empty glyph yields its position with length 0.
const BYTE* LocateGlyph(const FontFile& font, WORD glyphIndex, DWORD& length);

}  // namespace xlrender
