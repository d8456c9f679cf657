// Soft fonts downloaded the way a PCL XL stream does and drawn by the preview: a bitmap glyph
// scaled and turned, and TrueType glyphs of a real font rebuilt from nothing but the header's
// tables and the downloaded outlines.
#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <span>

#include "pclxl_render/soft_fonts.h"
#include "tools/soft_font_records.h"

namespace {

using pclxl_render::CharMatrix;
using pclxl_render::GlyphBitmap;
using pclxl_render::SoftFontStore;
using namespace xlrender::testing;

bool Inked(const GlyphBitmap& g, int column, int row) {
    return g.alpha.at(static_cast<std::size_t>(row) * g.width + column) > 127;
}

// Where ink lies, in device pixels relative to the pen: [left, right) x [top, bottom).
struct InkBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

InkBox InkOf(const GlyphBitmap& g) {
    InkBox box{g.width, g.height, -1, -1};
    for (int row = 0; row < g.height; ++row) {
        for (int column = 0; column < g.width; ++column) {
            if (g.alpha[static_cast<std::size_t>(row) * g.width + column] != 0) {
                box = {std::min(box.left, column), std::min(box.top, row),
                       std::max(box.right, column + 1), std::max(box.bottom, row + 1)};
            }
        }
    }
    return {box.left + g.left, box.top + g.top, box.right + g.left, box.bottom + g.top};
}

void Download(SoftFontStore& store, const std::string& name, const Bytes& header,
              const std::map<std::uint16_t, Bytes>& records) {
    ASSERT_EQ(store.BeginFontHeader(name, 0), "");
    ASSERT_EQ(store.ReadFontHeader(header), "");
    ASSERT_EQ(store.EndFontHeader(), "");
    ASSERT_EQ(store.BeginChar(name), "");
    for (const auto& [code, record] : records) {
        ASSERT_EQ(store.ReadChar(code, static_cast<std::uint32_t>(record.size()), record), "");
    }
    ASSERT_EQ(store.EndChar(), "");
}

TEST(SoftFontBitmap, DrawsTheDotsScaledToTheDeviceAndTurnedWithTheMatrix) {
    SoftFontStore store;
    // 4 x 3 dots at 300 dpi, its top row 3 dots above the baseline, one dot right of the origin:
    //   X...
    //   .X..
    //   XXXX
    Download(store, "Dots", BitmapFontHeader(300),
             {{'A', BitmapCharRecord(1, 3, 4, 3, {0x80, 0x40, 0xF0})}});

    GlyphBitmap upright;
    ASSERT_EQ(store.RenderChar("Dots", 'A', {}, 600, upright), "");
    EXPECT_EQ(upright.left, 2);
    EXPECT_EQ(upright.top, -6);
    ASSERT_EQ(upright.width, 8);
    ASSERT_EQ(upright.height, 6);
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 8; ++column) {
            const bool expected = (row < 2 && column < 2) ||
                                  (row >= 2 && row < 4 && column >= 2 && column < 4) || row >= 4;
            EXPECT_EQ(Inked(upright, column, row), expected) << column << "," << row;
        }
    }
    EXPECT_DOUBLE_EQ(upright.advanceX, 10);
    EXPECT_DOUBLE_EQ(upright.advanceY, 0);

    // Text running down the page: what stood above the baseline now lies right of the pen, and
    // the first dot column comes first along the new baseline.
    GlyphBitmap turned;
    ASSERT_EQ(store.RenderChar("Dots", 'A', {0, 1, -1, 0}, 600, turned), "");
    EXPECT_EQ(turned.left, 0);
    EXPECT_EQ(turned.top, 2);
    ASSERT_EQ(turned.width, 6);
    ASSERT_EQ(turned.height, 8);
    EXPECT_TRUE(Inked(turned, 5, 0));  // the top-left dot: far from the baseline, first along it
    EXPECT_FALSE(Inked(turned, 5, 7));
    EXPECT_TRUE(Inked(turned, 3, 3));  // the middle dot
    EXPECT_FALSE(Inked(turned, 3, 0));
    EXPECT_TRUE(Inked(turned, 0, 7));  // the bottom bar, along the whole baseline
    EXPECT_DOUBLE_EQ(turned.advanceX, 0);
    EXPECT_DOUBLE_EQ(turned.advanceY, 10);

    GlyphBitmap nothing;
    EXPECT_EQ(store.RenderChar("Dots", 'B', {}, 600, nothing), "");
    EXPECT_TRUE(nothing.alpha.empty());
}

// The parts of a TrueType file that a driver downloads: its global tables and single glyphs.
class TrueTypeFile {
public:
    explicit TrueTypeFile(const char* path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), {});
        const unsigned tableCount = U16(4);
        for (unsigned i = 0; i < tableCount; ++i) {
            const std::size_t entry = 12 + 16 * i;
            tables_[std::string(bytes_.begin() + entry, bytes_.begin() + entry + 4)] = {
                U32(entry + 8), U32(entry + 12)};
        }
    }
    bool ok() const { return tables_.count("glyf") != 0; }

    // The "GT" segment: a table directory whose offsets count from the segment's start.
    Bytes GlobalTables(const std::vector<std::string>& tags) const {
        Bytes directory, data;
        Put32(directory, 0x00010000);
        Put16(directory, static_cast<unsigned>(tags.size()));
        Put16(directory, 0);  // search fields: not used by a reader of a downloaded font
        Put16(directory, 0);
        Put16(directory, 0);
        const std::size_t dataStart = 12 + 16 * tags.size();
        for (const std::string& tag : tags) {
            const auto [offset, length] = tables_.at(tag);
            directory.insert(directory.end(), tag.begin(), tag.end());
            Put32(directory, 0);
            Put32(directory, static_cast<std::uint32_t>(dataStart + data.size()));
            Put32(directory, length);
            data.insert(data.end(), bytes_.begin() + offset, bytes_.begin() + offset + length);
            data.resize((data.size() + 3) / 4 * 4);
        }
        return Segment("GT", Concat({directory, data}));
    }

    Bytes Glyph(unsigned id) const {
        const std::size_t loca = tables_.at("loca").first;
        const bool longOffsets = U16(tables_.at("head").first + 50) != 0;
        const std::size_t start = longOffsets ? U32(loca + 4 * id) : 2 * U16(loca + 2 * id);
        const std::size_t end = longOffsets ? U32(loca + 4 * id + 4) : 2 * U16(loca + 2 * id + 2);
        const std::size_t glyf = tables_.at("glyf").first;
        return Bytes(bytes_.begin() + glyf + start, bytes_.begin() + glyf + end);
    }

    unsigned U16(std::size_t at) const { return bytes_[at] << 8 | bytes_[at + 1]; }
    std::uint32_t U32(std::size_t at) const { return U16(at) << 16 | U16(at + 2); }

private:
    Bytes bytes_;
    std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> tables_;
};

// Format 1: class 0 carries the glyph alone; class 2 adds left side bearing, advance width and
// top side bearing. The data size counts from its own field.
Bytes TrueTypeCharRecord(unsigned glyphId, const Bytes& outline, bool withMetrics = false,
                         unsigned advance = 0) {
    Bytes out = {1, static_cast<std::uint8_t>(withMetrics ? 2 : 0)};
    Put16(out, static_cast<unsigned>(outline.size() + (withMetrics ? 10 : 4)));
    if (withMetrics) {
        Put16(out, outline.size() >= 4 ? (outline[2] << 8 | outline[3]) : 0);  // xMin
        Put16(out, advance);
        Put16(out, 0);
    }
    Put16(out, glyphId);
    return Concat({out, outline});
}

constexpr char kDejaVuSans[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct FileGlyph {
    unsigned id = 0;
    FT_Glyph_Metrics metrics{};  // font units
};

// The glyph ids and metrics as FreeType reads them from the whole file.
std::map<char32_t, FileGlyph> ReadFileGlyphs(std::initializer_list<char32_t> characters,
                                             unsigned& unitsPerEm) {
    std::map<char32_t, FileGlyph> glyphs;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, kDejaVuSans, 0, &face) != 0) {
        return glyphs;
    }
    unitsPerEm = face->units_per_EM;
    for (char32_t c : characters) {
        FileGlyph& glyph = glyphs[c];
        glyph.id = FT_Get_Char_Index(face, c);
        FT_Load_Glyph(face, glyph.id, FT_LOAD_NO_SCALE);
        glyph.metrics = face->glyph->metrics;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return glyphs;
}

TEST(SoftFontTrueType, DrawsDownloadedGlyphsWhereTheFontPutsThem) {
    const TrueTypeFile file(kDejaVuSans);
    unsigned unitsPerEm = 0;
    const auto glyphs = ReadFileGlyphs({U'L', U'\u00C4'}, unitsPerEm);
    ASSERT_TRUE(file.ok() && glyphs.size() == 2) << kDejaVuSans << " (fonts-dejavu-core)";
    const FileGlyph& ell = glyphs.at(U'L');
    const FileGlyph& aUmlaut = glyphs.at(U'\u00C4');
    const Bytes composite = file.Glyph(aUmlaut.id);
    ASSERT_LT(static_cast<std::int16_t>(composite[0] << 8 | composite[1]), 0)
        << "A with diaeresis is expected to be a composite glyph";

    // Its components go down under code 0xFFFF, as glyphs that only composites refer to.
    std::map<std::uint16_t, Bytes> records = {
        {'L', TrueTypeCharRecord(ell.id, file.Glyph(ell.id))},
        {0xC4, TrueTypeCharRecord(aUmlaut.id, composite, true, 1500)}};
    SoftFontStore store;
    const Bytes header = Concat(
        {FontDescription(1, 2), file.GlobalTables({"head", "hhea", "hmtx", "maxp"}), kNullSegment});
    Download(store, "DejaVu", header, records);
    ASSERT_EQ(store.BeginChar("DejaVu"), "");
    for (std::size_t offset = 10;;) {  // the composite's component records
        const unsigned flags = composite[offset] << 8 | composite[offset + 1];
        const unsigned component = composite[offset + 2] << 8 | composite[offset + 3];
        const Bytes record = TrueTypeCharRecord(component, file.Glyph(component));
        ASSERT_EQ(store.ReadChar(0xFFFF, static_cast<std::uint32_t>(record.size()), record), "");
        if ((flags & 0x20) == 0) {
            break;
        }
        offset += 4 + ((flags & 1) ? 4 : 2) +
                  ((flags & 8)      ? 2
                   : (flags & 0x40) ? 4
                   : (flags & 0x80) ? 8
                                    : 0);
    }
    ASSERT_EQ(store.EndChar(), "");

    const double em = 100;
    const double scale = em / unitsPerEm;
    GlyphBitmap upright;
    ASSERT_EQ(store.RenderChar("DejaVu", 'L', {em, 0, 0, em}, 600, upright), "");
    const InkBox box = InkOf(upright);
    EXPECT_NEAR(box.left, ell.metrics.horiBearingX * scale, 1);
    EXPECT_NEAR(box.right, (ell.metrics.horiBearingX + ell.metrics.width) * scale, 1);
    EXPECT_NEAR(box.top, -ell.metrics.horiBearingY * scale, 1);
    EXPECT_NEAR(box.bottom, (ell.metrics.height - ell.metrics.horiBearingY) * scale, 1);
    EXPECT_DOUBLE_EQ(upright.advanceX, ell.metrics.horiAdvance * scale);
    EXPECT_DOUBLE_EQ(upright.advanceY, 0);
    // An L: its stem runs up the left side, its foot along the baseline, the top right is empty.
    const int stemColumn = box.left + 2 - upright.left, footRow = box.bottom - 2 - upright.top;
    EXPECT_TRUE(Inked(upright, stemColumn, box.top + 2 - upright.top));
    EXPECT_TRUE(Inked(upright, box.right - 2 - upright.left, footRow));
    EXPECT_FALSE(Inked(upright, box.right - 2 - upright.left, box.top + 2 - upright.top));

    // Turned to run down the page: the ink above the baseline moves right of the pen.
    GlyphBitmap turned;
    ASSERT_EQ(store.RenderChar("DejaVu", 'L', {0, em, -em, 0}, 600, turned), "");
    const InkBox turnedBox = InkOf(turned);
    EXPECT_NEAR(turnedBox.left, -box.bottom, 1);
    EXPECT_NEAR(turnedBox.right, -box.top, 1);
    EXPECT_NEAR(turnedBox.top, box.left, 1);
    EXPECT_NEAR(turnedBox.bottom, box.right, 1);
    EXPECT_DOUBLE_EQ(turned.advanceY, upright.advanceX);

    // The composite draws its base letter and its diaeresis above the letter's top, and advances
    // by the width its own record gave.
    GlyphBitmap umlaut;
    ASSERT_EQ(store.RenderChar("DejaVu", 0xC4, {em, 0, 0, em}, 600, umlaut), "");
    const InkBox umlautBox = InkOf(umlaut);
    EXPECT_NEAR(umlautBox.top, -aUmlaut.metrics.horiBearingY * scale, 1);
    EXPECT_NEAR(umlautBox.bottom, 0, 1);
    EXPECT_DOUBLE_EQ(umlaut.advanceX, 1500 * scale);
}

}  // namespace
