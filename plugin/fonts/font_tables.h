// The tables of a font file that its PCL XL font header carries, and where they go in the
// rebuilt font the header describes.
#pragma once

#include "fonts/font_file.h"

namespace xlrender {

struct FontTableRecord {
    char tag[5];
    DWORD checksum;
    DWORD offset;     // in the font file
    DWORD newOffset;  // in the rebuilt font
    DWORD length;
    // Bytes sent for the table: the distance to the next table in offset order (to the end of
    // the file for the last), never less than its length.
    DWORD paddedLength;
    bool selected;
};

struct FontTableSelection {
    DWORD recordCount;     // records filled, one per distinct tag, in offset order
    DWORD selectedCount;   // e
    DWORD directoryBytes;  // 16 e + 28: the rebuilt directory with its "gdir" entry
    DWORD segmentBytes;    // the directory and every selected table's padded length
};

// Fills `records` (room for one per directory entry) from a font whose every table lies inside
// the file (HasTrueTypeOutlines). A tag met a second time is left out. False when the rebuilt
// font would not fit 32-bit sizes.
bool SelectFontTables(const FontFile& font, FontTableRecord* records,
                      FontTableSelection& selection);

}  // namespace xlrender
