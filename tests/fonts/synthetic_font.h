// Small TrueType files made to order for the font reader's tests: each table given as bytes,
// the directory written in the order given, every table 4-byte aligned.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fonts/font_file.h"

namespace xlrender::testing {

using Bytes = std::vector<BYTE>;

struct SyntheticTable {
    std::string tag;  // four characters
    Bytes bytes;
};

inline void AppendBigEndian16(Bytes& out, unsigned value) {
    out.push_back(static_cast<BYTE>(value >> 8));
    out.push_back(static_cast<BYTE>(value));
}

inline void AppendBigEndian32(Bytes& out, std::uint32_t value) {
    AppendBigEndian16(out, value >> 16);
    AppendBigEndian16(out, value & 0xFFFF);
}

inline Bytes BuildFontFile(const std::vector<SyntheticTable>& tables) {
    Bytes file;
    AppendBigEndian32(file, 0x00010000);
    AppendBigEndian16(file, static_cast<unsigned>(tables.size()));
    AppendBigEndian16(file, 0x0080);  // search range, entry selector, range shift: carried as is
    AppendBigEndian16(file, 0x0003);
    AppendBigEndian16(file, 0x0020);
    std::uint32_t offset = static_cast<std::uint32_t>(12 + 16 * tables.size());
    for (const SyntheticTable& table : tables) {
        file.insert(file.end(), table.tag.begin(), table.tag.begin() + 4);
        AppendBigEndian32(file, 0x11223344);
        AppendBigEndian32(file, offset);
        AppendBigEndian32(file, static_cast<std::uint32_t>(table.bytes.size()));
        offset += static_cast<std::uint32_t>((table.bytes.size() + 3) / 4 * 4);
    }
    for (const SyntheticTable& table : tables) {
        file.insert(file.end(), table.bytes.begin(), table.bytes.end());
        file.resize((file.size() + 3) / 4 * 4);
    }
    return file;
}

// Overwrites a 32-bit field of directory entry `entry` (4: checksum, 8: offset, 12: length).
inline void PatchDirectory(Bytes& file, int entry, int field, std::uint32_t value) {
    WriteBigEndian32(file.data() + 12 + 16 * entry + field, value);
}

inline Bytes HeadTable(bool longOffsets, std::size_t bytes = 54) {
    Bytes head(bytes);
    if (bytes >= 52) {
        head[51] = longOffsets ? 1 : 0;
    }
    return head;
}

inline Bytes MaxpTable(unsigned glyphs) {
    Bytes maxp;
    AppendBigEndian32(maxp, 0x00005000);
    AppendBigEndian16(maxp, glyphs);
    return maxp;
}

// Glyph outlines and the short `loca` table that indexes them.
inline std::pair<Bytes, Bytes> GlyfAndLoca(const std::vector<Bytes>& glyphs) {
    Bytes glyf;
    Bytes loca;
    for (const Bytes& glyph : glyphs) {
        AppendBigEndian16(loca, static_cast<unsigned>(glyf.size() / 2));
        glyf.insert(glyf.end(), glyph.begin(), glyph.end());
        glyf.resize((glyf.size() + 1) / 2 * 2);
    }
    AppendBigEndian16(loca, static_cast<unsigned>(glyf.size() / 2));
    return {glyf, loca};
}

struct Segment {
    unsigned start;
    unsigned end;
    unsigned delta;
    unsigned rangeOffset;
};

// A format 4 subtable; `glyphIds` follows the segment arrays.
inline Bytes Format4Subtable(const std::vector<Segment>& segments,
                             const std::vector<unsigned>& glyphIds = {}) {
    Bytes table;
    const unsigned segCount = static_cast<unsigned>(segments.size());
    AppendBigEndian16(table, 4);
    AppendBigEndian16(table, 16 + 8 * segCount + 2 * static_cast<unsigned>(glyphIds.size()));
    AppendBigEndian16(table, 0);
    AppendBigEndian16(table, 2 * segCount);
    AppendBigEndian16(table, 0);
    AppendBigEndian16(table, 0);
    AppendBigEndian16(table, 0);
    for (const Segment& s : segments) AppendBigEndian16(table, s.end);
    AppendBigEndian16(table, 0);
    for (const Segment& s : segments) AppendBigEndian16(table, s.start);
    for (const Segment& s : segments) AppendBigEndian16(table, s.delta);
    for (const Segment& s : segments) AppendBigEndian16(table, s.rangeOffset);
    for (unsigned id : glyphIds) AppendBigEndian16(table, id);
    return table;
}

struct EncodingRecord {
    unsigned platform;
    unsigned encoding;
    Bytes subtable;
};

inline Bytes CmapTable(const std::vector<EncodingRecord>& records) {
    Bytes cmap;
    AppendBigEndian16(cmap, 0);
    AppendBigEndian16(cmap, static_cast<unsigned>(records.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(4 + 8 * records.size());
    for (const EncodingRecord& record : records) {
        AppendBigEndian16(cmap, record.platform);
        AppendBigEndian16(cmap, record.encoding);
        AppendBigEndian32(cmap, offset);
        offset += static_cast<std::uint32_t>(record.subtable.size());
    }
    for (const EncodingRecord& record : records) {
        cmap.insert(cmap.end(), record.subtable.begin(), record.subtable.end());
    }
    return cmap;
}

inline FontFile ViewOf(const Bytes& file) {
    return {file.data(), static_cast<DWORD>(file.size())};
}

}  // namespace xlrender::testing
