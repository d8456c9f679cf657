// The soft-font store on broken, hostile and out-of-order input: a message that says what is
// wrong, nothing defined by halves, and no size the stream announces turned into memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pclxl_render/font_limits.h"
#include "pclxl_render/soft_fonts.h"
#include "tools/soft_font_records.h"

namespace {

using pclxl_render::GlyphBitmap;
using pclxl_render::SoftFontStore;
using namespace xlrender::testing;

struct BrokenHeader {
    const char* what;
    Bytes header;
    std::string message;  // part of the refusal
};

Bytes TableDirectory(unsigned tableCount, std::uint32_t offset, std::uint32_t length) {
    Bytes out;
    Put32(out, 0x00010000);
    Put16(out, tableCount);
    out.insert(out.end(), 6, 0);
    out.insert(out.end(), {'h', 'e', 'a', 'd'});
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, length);
    return out;
}

TEST(SoftFontHostile, RefusesBrokenFontHeadersAndDefinesNothing) {
    const Bytes bitmap = FontDescription(254);
    const Bytes trueType = FontDescription(1);
    Bytes headWithoutUnits = SquareFontTables();
    headWithoutUnits[6 + 44 + 18] = 0;  // segment head, directory, then head's units per em
    headWithoutUnits[6 + 44 + 19] = 0;
    const std::vector<BrokenHeader> cases = {
        {"too short", {0, 0, 0}, "its description alone needs 8"},
        {"format", Concat({{1}, Bytes(bitmap.begin() + 1, bitmap.end()), kNullSegment}),
         "font header format 1 is not supported"},
        {"orientation", Concat({{0, 7}, Bytes(bitmap.begin() + 2, bitmap.end()), kNullSegment}),
         "font orientation 7"},
        {"Intellifont", Concat({FontDescription(2), kNullSegment}),
         "font scaling technology 2 is not supported (1 TrueType, 254 bitmap)"},
        {"variety", Concat({{0, 0, 0, 2, 254, 1, 0, 1}, kNullSegment}), "font variety 1"},
        {"no null segment", Concat({bitmap, BitmapResolution(300, 300)}),
         "ends at byte 18 without its null segment"},
        {"segment past the end", Concat({bitmap, {'B', 'R', 0xFF, 0xFF, 0xFF, 0xF0, 1, 2}}),
         "announces 4294967280 bytes; 2 follow"},
        {"unknown segment", Concat({bitmap, Segment("XX", {1}), kNullSegment}),
         "segment \"XX\" at byte 8 is not supported"},
        {"null segment with data", Concat({bitmap, Segment("\xFF\xFF", {1, 2, 3, 4})}),
         "the null segment announces 4 bytes"},
        {"bitmap without resolution", Concat({bitmap, kNullSegment}), "no \"BR\""},
        {"zero resolution", Concat({bitmap, BitmapResolution(0, 300), kNullSegment}),
         "resolution of 0"},
        {"short resolution", Concat({bitmap, Segment("BR", {1, 44}), kNullSegment}),
         "the \"BR\" segment holds 2 bytes"},
        {"resolution twice",
         Concat({bitmap, BitmapResolution(300, 300), BitmapResolution(600, 600), kNullSegment}),
         "segment \"BR\" appears twice"},
        {"TrueType without tables", Concat({trueType, kNullSegment}), "no \"GT\""},
        {"table outside the segment",
         Concat({trueType, Segment("GT", TableDirectory(1, 0xFFFFFFF0, 0x20)), kNullSegment}),
         "table \"head\" (offset 4294967280, 32 bytes) lies outside"},
        {"directory past the segment",
         Concat({trueType, Segment("GT", TableDirectory(0xFFFF, 0, 0)), kNullSegment}),
         "table directory runs past"},
        {"no head", Concat({trueType, Segment("GT", TableDirectory(0, 0, 0)), kNullSegment}),
         "no usable \"head\" table"},
        {"units per em", Concat({trueType, headWithoutUnits, kNullSegment}),
         "gives 0 units per em"},
    };
    for (const BrokenHeader& c : cases) {
        SCOPED_TRACE(c.what);
        SoftFontStore store;
        ASSERT_EQ(store.BeginFontHeader("F", 0), "");
        ASSERT_EQ(store.ReadFontHeader(c.header), "");
        const std::string message = store.EndFontHeader();
        EXPECT_NE(message.find("font \"F\" is refused: "), std::string::npos) << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_FALSE(store.HasFont("F"));
        // Nothing is left half open: the name can be defined properly now.
        ASSERT_EQ(store.BeginFontHeader("F", 0), "");
        ASSERT_EQ(store.ReadFontHeader(BitmapFontHeader(300)), "");
        EXPECT_EQ(store.EndFontHeader(), "");
    }
}

// Asserts that `message` is a refusal mentioning `part`.
void ExpectRefusal(const std::string& message, const std::string& part) {
    EXPECT_NE(message.find(part), std::string::npos) << "message: \"" << message << "\"";
}

TEST(SoftFontHostile, ReportsOperatorsOutOfOrderAndRedefinitions) {
    SoftFontStore store;
    ExpectRefusal(store.ReadFontHeader(BitmapFontHeader(300)), "outside BeginFontHeader");
    ExpectRefusal(store.EndFontHeader(), "EndFontHeader without BeginFontHeader");
    ExpectRefusal(store.BeginFontHeader("F", 1), "font format 1 is not supported");
    ExpectRefusal(store.BeginFontHeader("", 0), "the font name is empty");
    ExpectRefusal(store.BeginChar("F"), "font \"F\" is not defined");
    ExpectRefusal(store.ReadChar('A', 3, Bytes{0, 0, 0}), "ReadChar outside BeginChar");
    ExpectRefusal(store.EndChar(), "EndChar without BeginChar");
    ExpectRefusal(store.RemoveFont("F"), "font \"F\" is not defined");
    GlyphBitmap glyph;
    ExpectRefusal(store.RenderChar("F", 'A', {}, 300, glyph), "font \"F\" is not defined");

    ASSERT_EQ(store.BeginFontHeader("F", 0), "");
    ExpectRefusal(store.BeginChar("F"), "the font header of \"F\" is still open");
    ASSERT_EQ(store.ReadFontHeader(BitmapFontHeader(300)), "");
    ASSERT_EQ(store.EndFontHeader(), "");
    ExpectRefusal(store.BeginFontHeader("F", 0), "font \"F\" is already defined");
    ExpectRefusal(store.BeginChar("F\x01"), "font \"F\\x01\" is not defined");
    ASSERT_EQ(store.BeginChar("F"), "");
    ExpectRefusal(store.BeginFontHeader("G", 0), "the characters of \"F\" are still open");

    const Bytes good = BitmapCharRecord(0, 8, 8, 8, Bytes(8, 0xFF));
    ExpectRefusal(store.ReadChar('A', 99, good), "CharDataSize says 99 bytes; the data holds 18");
    const Bytes shortRows = BitmapCharRecord(0, 8, 9, 8, Bytes(8, 0xFF));
    ExpectRefusal(store.ReadChar('A', 18, shortRows),
                  "character 65 of \"F\" is refused: a 9 x 8 bitmap character needs 16 bytes");
    const Bytes glyphRecord = TrueTypeCharRecord(1, SquareGlyph());
    ExpectRefusal(store.ReadChar('A', static_cast<std::uint32_t>(glyphRecord.size()), glyphRecord),
                  "character format 1 does not belong to a bitmap font");
    ExpectRefusal(store.ReadChar('A', 6, Bytes{0, 1, 0, 0, 0, 0}),
                  "bitmap character class 1 is not supported");
    ASSERT_EQ(store.ReadChar('A', 18, good), "");
    ASSERT_EQ(store.EndChar(), "");

    ASSERT_EQ(store.RemoveFont("F"), "");
    EXPECT_FALSE(store.HasFont("F"));
    ExpectRefusal(store.RenderChar("F", 'A', {}, 300, glyph), "font \"F\" is not defined");
}

TEST(SoftFontHostile, RefusesSizesBeyondItsBounds) {
    SoftFontStore store;
    // A header larger than any font needs is refused as it arrives.
    ASSERT_EQ(store.BeginFontHeader("Huge", 0), "");
    ExpectRefusal(store.ReadFontHeader(Bytes(pclxl_render::kMaxFontHeaderBytes + 1)),
                  "the font header of \"Huge\" is larger than 16 MiB");
    ExpectRefusal(store.EndFontHeader(), "EndFontHeader without BeginFontHeader");

    // One dot per inch drawn at 1200 dpi: a glyph far larger than a page.
    ASSERT_EQ(store.BeginFontHeader("Coarse", 0), "");
    ASSERT_EQ(store.ReadFontHeader(BitmapFontHeader(1)), "");
    ASSERT_EQ(store.EndFontHeader(), "");
    ASSERT_EQ(store.BeginChar("Coarse"), "");
    const Bytes wide = BitmapCharRecord(0, 1, 64, 1, Bytes(8, 0xFF));
    ASSERT_EQ(store.ReadChar('W', static_cast<std::uint32_t>(wide.size()), wide), "");
    // 1023 rows of 32768 dots: a record just under 4 MiB.
    const Bytes large = BitmapCharRecord(0, 1, 32768, 1023, Bytes(1023 * 4096, 0));
    ExpectRefusal(store.ReadChar(0, static_cast<std::uint32_t>(large.size() + 4096),
                                 Concat({large, Bytes(4096)})),
                  "larger than 4 MiB");
    // Everything the fonts hold together is bounded: the seventeenth such character does not fit.
    for (std::uint16_t code = 1; code <= 16; ++code) {
        ASSERT_EQ(store.ReadChar(code, static_cast<std::uint32_t>(large.size()), large), "");
    }
    ExpectRefusal(store.ReadChar(17, static_cast<std::uint32_t>(large.size()), large),
                  "the soft fonts would hold more than 64 MiB");
    // Replacing a character does not count it twice.
    EXPECT_EQ(store.ReadChar(15, static_cast<std::uint32_t>(large.size()), large), "");
    ASSERT_EQ(store.EndChar(), "");
    GlyphBitmap glyph;
    ExpectRefusal(store.RenderChar("Coarse", 'W', {}, 1200, glyph),
                  "a glyph of 76800 x 1200 device pixels is larger than the renderer draws");
    EXPECT_TRUE(glyph.alpha.empty());
    // Removing a font gives its memory back.
    ASSERT_EQ(store.RemoveFont("Coarse"), "");
    ASSERT_EQ(store.BeginFontHeader("Again", 0), "");
    ASSERT_EQ(store.ReadFontHeader(BitmapFontHeader(300)), "");
    ASSERT_EQ(store.EndFontHeader(), "");
    ASSERT_EQ(store.BeginChar("Again"), "");
    EXPECT_EQ(store.ReadChar(1, static_cast<std::uint32_t>(large.size()), large), "");
}

TEST(SoftFontHostile, TrueTypeGlyphsStayWithinTheGlyphBound) {
    SoftFontStore store;
    ASSERT_EQ(store.BeginFontHeader("Square", 0), "");
    ASSERT_EQ(store.ReadFontHeader(Concat({FontDescription(1), SquareFontTables(), kNullSegment})),
              "");
    ASSERT_EQ(store.EndFontHeader(), "");
    ASSERT_EQ(store.BeginChar("Square"), "");
    const Bytes record = TrueTypeCharRecord(0, SquareGlyph());
    ASSERT_EQ(store.ReadChar('S', static_cast<std::uint32_t>(record.size()), record), "");
    const Bytes unknownClass = {1, 3, 0, 4, 0, 0};
    ExpectRefusal(store.ReadChar('T', 6, unknownClass),
                  "TrueType character class 3 is not supported (0, 1, 2)");
    const Bytes sizeField = {1, 0, 0, 9, 0, 0};
    ExpectRefusal(store.ReadChar('T', 6, sizeField),
                  "the TrueType character's data size field says 9 bytes; the record holds 4");
    ASSERT_EQ(store.EndChar(), "");

    // Without "hhea" and "hmtx" the glyph still draws where its outline lies, and has no advance.
    GlyphBitmap square;
    ASSERT_EQ(store.RenderChar("Square", 'S', {100, 0, 0, 100}, 300, square), "");
    EXPECT_EQ(square.left, 0);
    EXPECT_EQ(square.top, -50);
    EXPECT_EQ(square.width, 50);
    EXPECT_EQ(square.height, 50);
    EXPECT_EQ(square.alpha.front(), 255);
    EXPECT_DOUBLE_EQ(square.advanceX, 0);

    GlyphBitmap huge;
    ExpectRefusal(store.RenderChar("Square", 'S', {5e4, 0, 0, 5e4}, 300, huge),
                  "a glyph of 25000 x 25000 device pixels is larger than the renderer draws");
    ExpectRefusal(store.RenderChar("Square", 'S', {2e5, 0, 0, 1}, 300, huge),
                  "the character matrix makes an em larger than 100000 device pixels");
    EXPECT_TRUE(huge.alpha.empty());
}

TEST(SoftFontHostile, DrawsAgainWhatItLetGoToStayWithinItsOpenFaces) {
    SoftFontStore store;
    const Bytes header = Concat({FontDescription(1), SquareFontTables(), kNullSegment});
    const Bytes record = TrueTypeCharRecord(0, SquareGlyph());
    std::vector<std::string> names = {"A", "B", "C", "D", "E", "F"};
    for (const std::string& name : names) {
        ASSERT_EQ(store.BeginFontHeader(name, 0), "");
        ASSERT_EQ(store.ReadFontHeader(header), "");
        ASSERT_EQ(store.EndFontHeader(), "");
        ASSERT_EQ(store.BeginChar(name), "");
        ASSERT_EQ(store.ReadChar('S', static_cast<std::uint32_t>(record.size()), record), "");
        ASSERT_EQ(store.EndChar(), "");
    }
    for (int round = 0; round < 2; ++round) {
        for (const std::string& name : names) {
            GlyphBitmap square;
            ASSERT_EQ(store.RenderChar(name, 'S', {10, 0, 0, 10}, 300, square), "");
            EXPECT_EQ(square.width, 5) << name;
            EXPECT_EQ(std::count(square.alpha.begin(), square.alpha.end(), 255), 25) << name;
        }
        ASSERT_EQ(store.RemoveFont(names[2]), "");  // a font that goes leaves no face behind
        names.erase(names.begin() + 2);
    }
}

}  // namespace
