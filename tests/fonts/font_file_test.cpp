// The font file reader on small made-up fonts, hostile ones included: nothing is read outside
// the file or the table a value belongs to.
#include "fonts/font_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "fonts/font_tables.h"
#include "fonts/synthetic_font.h"
#include "fonts/truetype_download.h"

namespace xlrender {
namespace {

using namespace xlrender::testing;

constexpr int kGlyfEntry = 1;
constexpr int kLocaEntry = 3;

// Glyph 0 an outline, 1 empty, 2 an outline, 3 a composite of 2.
std::vector<Bytes> FourGlyphs() {
    Bytes composite = {0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0};
    AppendBigEndian16(composite, 0x0000);  // flags: byte arguments, last component
    AppendBigEndian16(composite, 2);
    composite.insert(composite.end(), {5, 6});
    return {Bytes(12, 0xA0), Bytes{}, Bytes(14, 0xB2), composite};
}

Bytes FontWith(const Bytes& head, unsigned glyphs = 4) {
    const auto [glyf, loca] = GlyfAndLoca(FourGlyphs());
    return BuildFontFile({{"cmap", CmapTable({})},
                          {"glyf", glyf},
                          {"head", head},
                          {"loca", loca},
                          {"maxp", MaxpTable(glyphs)}});
}

TEST(FontFileReader, RefusesDirectoriesAndTablesTheFileDoesNotHold) {
    const Bytes good = FontWith(HeadTable(false));
    EXPECT_TRUE(HasTrueTypeOutlines(ViewOf(good)));
    EXPECT_EQ(CountGlyphs(ViewOf(good)), 4);

    const Bytes cutShort(good.begin(), good.begin() + 40);  // five entries announced
    EXPECT_EQ(TableDirectoryBytes(ViewOf(cutShort)), 0u);
    EXPECT_FALSE(HasTrueTypeOutlines(ViewOf(cutShort)));
    EXPECT_EQ(CountGlyphs(ViewOf(cutShort)), 0);

    Bytes wrapping = good;  // offset + length wraps past 2^32 back into the file
    PatchDirectory(wrapping, kGlyfEntry, 8, 0xFFFFFFF0u);
    PatchDirectory(wrapping, kGlyfEntry, 12, 0x20);
    EXPECT_FALSE(FindFontTable(ViewOf(wrapping), "glyf"));
    EXPECT_FALSE(HasTrueTypeOutlines(ViewOf(wrapping)));
    DWORD length = 7;
    EXPECT_EQ(LocateGlyph(ViewOf(wrapping), 0, length), nullptr);
    EXPECT_EQ(length, 0u);

    Bytes collection = good;
    collection[0] = 't', collection[1] = 't', collection[2] = 'c', collection[3] = 'f';
    EXPECT_FALSE(HasTrueTypeOutlines(ViewOf(collection)));

    const Bytes cff =
        BuildFontFile({{"CFF ", Bytes(40)}, {"head", HeadTable(false)}, {"maxp", MaxpTable(4)}});
    EXPECT_FALSE(HasTrueTypeOutlines(ViewOf(cff)));
}

TEST(FontFileReader, LocatesGlyphsOnlyInsideLocaAndGlyf) {
    const Bytes font = FontWith(HeadTable(false));
    DWORD length = 0;
    const BYTE* glyph = LocateGlyph(ViewOf(font), 2, length);
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(length, 14u);
    EXPECT_EQ(glyph[0], 0xB2);
    EXPECT_NE(LocateGlyph(ViewOf(font), 1, length), nullptr) << "an empty glyph has a place";
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(LocateGlyph(ViewOf(font), 4, length), nullptr) << "index beyond the glyph count";

    EXPECT_EQ(LocateGlyph(ViewOf(FontWith(HeadTable(false, 53))), 2, length), nullptr);
    // A glyph count larger than `loca` can index.
    EXPECT_EQ(LocateGlyph(ViewOf(FontWith(HeadTable(false), 300)), 200, length), nullptr);
    // Long offsets read from a short table: the entries run past `loca` or `glyf`.
    EXPECT_EQ(LocateGlyph(ViewOf(FontWith(HeadTable(true))), 3, length), nullptr);

    Bytes shortGlyf = font;
    PatchDirectory(shortGlyf, kGlyfEntry, 12, 20);
    EXPECT_NE(LocateGlyph(ViewOf(shortGlyf), 0, length), nullptr);
    EXPECT_EQ(LocateGlyph(ViewOf(shortGlyf), 2, length), nullptr);
    Bytes shortLoca = font;
    PatchDirectory(shortLoca, kLocaEntry, 12, 6);
    EXPECT_NE(LocateGlyph(ViewOf(shortLoca), 1, length), nullptr);
    EXPECT_EQ(LocateGlyph(ViewOf(shortLoca), 2, length), nullptr);
}

TEST(SelectFontTables, ListsEachTagOnceInOffsetOrderWithPaddingNeverBelowTheLength) {
    const std::vector<SyntheticTable> tables = {
        {"OS/2", Bytes(10)}, {"cmap", Bytes(4)},  {"cvt ", Bytes(6)},  {"fpgm", Bytes(8)},
        {"glyf", Bytes(4)},  {"HEAD", Bytes(54)}, {"hhea", Bytes(36)}, {"hmtx", Bytes(16)},
        {"loca", Bytes(4)},  {"maxp", Bytes(6)},  {"name", Bytes(4)},  {"prep", Bytes(5)}};
    Bytes font = BuildFontFile(tables);
    FontTableRecord records[13];
    FontTableSelection selection{};
    ASSERT_TRUE(SelectFontTables(ViewOf(font), records, selection));
    EXPECT_EQ(selection.recordCount, 12u);
    EXPECT_EQ(selection.selectedCount, 7u);
    EXPECT_EQ(selection.directoryBytes, 140u);
    EXPECT_EQ(records[2].newOffset, 140u) << records[2].tag;
    EXPECT_EQ(records[2].paddedLength, 8u) << "padded to the next table";
    EXPECT_EQ(records[3].newOffset, 148u);
    EXPECT_EQ(records[11].paddedLength, 8u) << "the last table runs to the end of the file";
    EXPECT_EQ(selection.segmentBytes, 140u + 8 + 8 + 56 + 36 + 16 + 8 + 8);

    // The tables listed again in reverse, a duplicate tag and two tables at one offset.
    PatchDirectory(font, 0, 8, 12 + 16 * 12);  // OS/2 onto cmap's place...
    PatchDirectory(font, 1, 8, 12 + 16 * 12);
    std::memcpy(font.data() + 12 + 16 * 10, "hmtx", 4);  // "name" becomes a second hmtx
    ASSERT_TRUE(SelectFontTables(ViewOf(font), records, selection));
    EXPECT_EQ(selection.recordCount, 11u);
    for (DWORD i = 0; i < selection.recordCount; ++i) {
        EXPECT_GE(records[i].paddedLength, records[i].length) << records[i].tag;
        EXPECT_LE(records[i].offset + records[i].paddedLength, font.size());
        if (i > 0) {
            EXPECT_LE(records[i - 1].offset, records[i].offset);
        }
    }
}

DWORD GlyphOf(const Bytes& cmap, BYTE code, DWORD charCount = kCodeCount) {
    const Bytes font = BuildFontFile({{"cmap", cmap}});
    TrueTypeDownload download{};
    download.charCount = charCount;
    BuildCodeToGlyphTable(ViewOf(font), download);
    return download.codeToGlyph[code];
}

TEST(BuildCodeToGlyphTable, PrefersUnicodeOverSymbolSubtablesAndStaysInsideTheTable) {
    const Bytes unicode =
        Format4Subtable({{0x41, 0x5A, 0x10000 - 0x41 + 300, 0}, {0xFFFF, 0xFFFF, 1, 0}});
    const Bytes symbol = Format4Subtable({{0xF020, 0xF0FF, 0x10000 - 0xF020 + 3, 0}});
    // Most fonts list the platform 0 subtable first.
    EXPECT_EQ(GlyphOf(CmapTable({{0, 3, unicode}, {3, 0, symbol}}), 'B'), 301u);
    EXPECT_EQ(GlyphOf(CmapTable({{3, 0, symbol}, {3, 1, unicode}}), 'B'), 301u);
    EXPECT_EQ(GlyphOf(CmapTable({{3, 0, symbol}}), 'B'), 0x42u - 0x20 + 3);
    EXPECT_EQ(GlyphOf(CmapTable({{3, 0, symbol}}), 0x10), 0u) << "no symbol segment";
    EXPECT_EQ(GlyphOf(CmapTable({{3, 1, unicode}}), '1'), 32u) << "no Unicode segment";
    // A font of few glyphs (a subset holding the watermark's letters) is still read as Unicode:
    // through the symbol codes 0xF000 + code its letters would all be the missing glyph.
    EXPECT_EQ(GlyphOf(CmapTable({{3, 1, unicode}}), 'B', 40), 301u);

    // Glyph id array: one in place, one far beyond the table. A non-zero entry gets the
    // segment's idDelta added, modulo 65536; a zero one stays the missing glyph.
    const Bytes ranged = Format4Subtable({{0x41, 0x42, 0, 4}, {0x43, 0x43, 0, 0x7FF0}}, {77, 78});
    EXPECT_EQ(GlyphOf(CmapTable({{3, 1, ranged}}), 'B'), 78u);
    EXPECT_EQ(GlyphOf(CmapTable({{3, 1, ranged}}), 'C'), 0u);
    const Bytes shifted = Format4Subtable({{0x41, 0x42, 0x10000 - 70, 2}}, {0, 78});
    EXPECT_EQ(GlyphOf(CmapTable({{3, 1, shifted}}), 'B'), 8u);
    EXPECT_EQ(GlyphOf(CmapTable({{3, 1, shifted}}), 'A'), 0u);

    // Encoding records and segment arrays announced beyond the table keep the identity.
    Bytes records = CmapTable({{3, 1, unicode}});
    WriteBigEndian16(records.data() + 2, 0x4000);
    EXPECT_EQ(GlyphOf(records, 'B'), 301u);
    Bytes segments = CmapTable({{3, 1, unicode}});
    WriteBigEndian16(segments.data() + 12 + 6, 0xFFFE);
    EXPECT_EQ(GlyphOf(segments, 'B'), 'B');
}

}  // namespace
}  // namespace xlrender
