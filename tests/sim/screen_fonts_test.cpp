// The stand-in's screen DC fonts: the world's registry before fontconfig, the font file as
// GetFontData serves it, measurements and rotated glyph bitmaps as GDI gives them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/win32_api.h"
#include "support/font_files.h"
#include "world.h"

namespace xlrender {
namespace {

constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

std::vector<BYTE> FileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScreenFontsTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::World& world = sim::ResetWorld();
        world.screenFonts.useFontconfig = false;
        world.screenFonts.registry.push_back({u"Test Face", false, false, testing::kDejaVuSans});
        dc = GetDC(nullptr);
    }
    void TearDown() override {
        ReleaseDC(nullptr, dc);
        EXPECT_TRUE(sim::TheWorld().screenFonts.liveDcs.empty());
        EXPECT_TRUE(sim::TheWorld().screenFonts.liveFonts.empty());
    }
    // Creates and selects a font; the test deletes it through Unselect.
    void Select(const char16_t* face, LONG height, LONG escapement = 0) {
        LOGFONTW logFont{};
        logFont.lfHeight = height;
        logFont.lfEscapement = escapement;
        for (int i = 0; face[i] != 0 && i < LF_FACESIZE; ++i) logFont.lfFaceName[i] = face[i];
        font = CreateFontIndirectW(&logFont);
        ASSERT_NE(font, nullptr);
        previous = SelectObject(dc, font);
        ASSERT_NE(previous, nullptr);
    }
    void Unselect() {
        EXPECT_FALSE(DeleteObject(font)) << "still selected";
        SelectObject(dc, previous);
        EXPECT_TRUE(DeleteObject(font));
    }
    HDC dc = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previous = nullptr;
};

TEST_F(ScreenFontsTest, ServesTheRegisteredFileUnchangedAndFailsOnRequest) {
    Select(u"TEST FACE", -100);
    const std::vector<BYTE> expected = FileBytes(testing::kDejaVuSans);
    const DWORD size = GetFontData(dc, 0, 0, nullptr, 0);
    ASSERT_EQ(size, expected.size());
    std::vector<BYTE> bytes(size);
    EXPECT_EQ(GetFontData(dc, 0, 0, bytes.data(), size), size);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(GetFontData(dc, 0x66637474, 0, nullptr, 0), GDI_ERROR) << "not a collection";
    EXPECT_EQ(GetFontData(dc, 0x7078616D, 0, nullptr, 0), 32u) << "maxp";

    sim::TheWorld().screenFonts.failAfter["GetFontData"] = 1;
    EXPECT_EQ(GetFontData(dc, 0, 0, nullptr, 0), GDI_ERROR);
    EXPECT_EQ(GetFontData(dc, 0, 0, nullptr, 0), size);
    Unselect();

    // A face name filling all 32 units, unknown to the registry: a font without a file.
    char16_t longFace[LF_FACESIZE + 1];
    std::fill(longFace, longFace + LF_FACESIZE, u'A');
    longFace[LF_FACESIZE] = 0;
    Select(longFace, -100);
    EXPECT_EQ(GetFontData(dc, 0, 0, nullptr, 0), GDI_ERROR);
    Unselect();
}

TEST_F(ScreenFontsTest, MeasuresByEmForNegativeHeightsAndByCellForPositiveOnes) {
    Select(u"Test Face", -200);
    int width = 0;
    ASSERT_TRUE(GetCharWidth32W(dc, 'M', 'M', &width));
    SIZE extent{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, u"MM", 2, &extent));
    EXPECT_EQ(extent.cx, 2 * width);
    EXPECT_GT(extent.cy, 200) << "the cell is taller than the em";
    Unselect();

    Select(u"Test Face", extent.cy);  // the same font asked for by its cell height
    int cellWidth = 0;
    ASSERT_TRUE(GetCharWidth32W(dc, 'M', 'M', &cellWidth));
    EXPECT_NEAR(cellWidth, width, 1);
    Unselect();
}

TEST_F(ScreenFontsTest, RendersGlyphsTurnedByTheEscapementInRowsOf32Bits) {
    GLYPHMETRICS upright{};
    GLYPHMETRICS turned{};
    Select(u"Test Face", -120);
    const DWORD uprightBytes =
        GetGlyphOutlineW(dc, 'l', GGO_BITMAP, &upright, 0, nullptr, &kIdentity);
    EXPECT_EQ(uprightBytes, upright.gmBlackBoxY * ((upright.gmBlackBoxX + 31) / 32 * 4));
    EXPECT_GT(upright.gmBlackBoxY, 3 * upright.gmBlackBoxX) << "a tall stroke";
    std::vector<BYTE> bits(uprightBytes);
    EXPECT_EQ(
        GetGlyphOutlineW(dc, 'l', GGO_BITMAP, &upright, uprightBytes - 1, bits.data(), &kIdentity),
        GDI_ERROR);
    EXPECT_EQ(
        GetGlyphOutlineW(dc, 'l', GGO_BITMAP, &upright, uprightBytes, bits.data(), &kIdentity),
        uprightBytes);
    EXPECT_NE(bits[0] & 0x80, 0) << "the stroke starts at the box's top left";

    GLYPHMETRICS space{};
    EXPECT_EQ(GetGlyphOutlineW(dc, ' ', GGO_BITMAP, &space, 0, nullptr, &kIdentity), 0u);
    EXPECT_EQ(space.gmBlackBoxX, 1u);
    EXPECT_EQ(space.gmBlackBoxY, 1u);
    Unselect();

    Select(u"Test Face", -120, 900);
    ASSERT_NE(GetGlyphOutlineW(dc, 'l', GGO_BITMAP, &turned, 0, nullptr, &kIdentity), GDI_ERROR);
    EXPECT_EQ(turned.gmBlackBoxX, upright.gmBlackBoxY);
    EXPECT_EQ(turned.gmBlackBoxY, upright.gmBlackBoxX);
    EXPECT_LT(turned.gmCellIncY, 0) << "advances upward on the page";
    Unselect();
}

}  // namespace
}  // namespace xlrender
