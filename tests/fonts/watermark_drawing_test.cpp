// Drawing watermarks through the stand-in's screen fonts: which font form goes down, when, and
// what a hostile layout, setting or font service leaves in the stream.
#include "fonts/watermark_drawing.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fonts/font_file.h"
#include "fonts/xl_listing.h"
#include "support/font_files.h"
#include "world.h"

namespace xlrender {
namespace {

using testing::ListingOf;
using testing::RecordingFlush;
using testing::Written;

void SetText(WCHAR* field, const char16_t* text) {
    std::fill(field, field + 256, 0);
    std::copy(text, text + std::char_traits<char16_t>::length(text), field);
}

std::size_t CountStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

class WatermarkDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::World& world = sim::ResetWorld();
        world.screenFonts.useFontconfig = false;
        world.screenFonts.registry = {{u"Test Sans", false, false, testing::kDejaVuSans},
                                      {u"Big Face", false, false, testing::kDroidSansFallback}};
        devmode.WatermarkEnabled = 1;
        SetText(devmode.WatermarkText, u"CONFIDENTIAL");
        SetText(devmode.WatermarkFace, u"Test Sans");
        devmode.WatermarkSize = 40;
        devmode.WatermarkShade = 1;
        devmode.WatermarkColor = 1;
        devmode.ScalePercent = 100;
        devmode.NupOption = 1;
        devmode.Orientation = DMORIENT_PORTRAIT;
        publicDevmode.dmPrintQuality = 600;
        publicDevmode.dmOrientation = DMORIENT_PORTRAIT;
        publicDevmode.dmDuplex = DMDUP_SIMPLEX;
        sheet = {4760, 6816, 4960, 7016, 1, 1.0f, 0, {}};
        sheet.Slots[0] = {1, 0, 0, 4760, 6816, DMORIENT_PORTRAIT};
        fonts.DeviceDpiY = 600;
    }
    void TearDown() override {
        EXPECT_TRUE(sim::TheWorld().screenFonts.liveDcs.empty());
        EXPECT_TRUE(sim::TheWorld().screenFonts.liveFonts.empty());
    }
    // Draws slot 0 and lists what went into the stream.
    std::vector<std::string> Draw(bool expected = true, DWORD slot = 0) {
        RecordingFlush flush;
        XlStream* stream = flush.Create();
        sim::TheWorld().heap.failAfter = failAllocation;
        failAllocation = 0;
        const WatermarkRequest request{devmode, settings, &publicDevmode, sheet, fonts};
        EXPECT_EQ(DrawWatermark(stream, request, slot), expected);
        EXPECT_EQ(stream->error, kXlHealthy);
        XlStreamDestroy(stream);
        written = Written(flush);
        return ListingOf(written);
    }
    PrivateDevmode devmode{};
    JobSettings settings{};
    DEVMODEW publicDevmode{};
    PageWatermarkState sheet{};
    WatermarkFontState fonts{};
    // The allocation of the drawing that fails (1 = its first), once.
    std::size_t failAllocation = 0;
    std::string written;  // the bytes of the last drawing
};

TEST_F(WatermarkDrawingTest, SendsTheScalableFontOncePerDocumentAndAgainForOtherText) {
    const std::vector<std::string> first = Draw();
    EXPECT_EQ(CountStarting(first, "!!"), 0u);
    EXPECT_EQ(CountStarting(first, "BeginFontHeader FontName=\"Test SansKZ_WM\""), 1u);
    EXPECT_EQ(CountStarting(first, "ReadChar"), 12u);
    EXPECT_EQ(CountStarting(first, "SetCharAngle CharAngle=54."), 1u);
    EXPECT_EQ(CountStarting(first, "SetFont FontName=\"Test SansKZ_WM\" CharSize=333.3"), 1u);
    EXPECT_EQ(CountStarting(first,
                            "SetColorSpace ColorSpace=eRGB PaletteDepth=e8Bit "
                            "PaletteData=<FF 00 00 FF FF FF>"),
              1u);
    EXPECT_EQ(CountStarting(first, "Text TextData=\"CONFIDENTIAL\" XSpacingData=["), 1u);
    EXPECT_EQ(first.back(), "PopGS");

    const std::vector<std::string> second = Draw();
    EXPECT_EQ(CountStarting(second, "BeginFontHeader"), 0u);
    EXPECT_EQ(CountStarting(second, "BeginChar"), 0u);
    EXPECT_EQ(second.front(), "PushGS");

    ForgetWatermarkFonts(fonts);  // the next document
    EXPECT_EQ(CountStarting(Draw(), "BeginFontHeader FontName=\"Test SansKZ_WM\""), 1u);

    SetText(devmode.WatermarkText, u"DRAFT");  // after ResetPDEV with other settings
    EXPECT_EQ(CountStarting(Draw(), "BeginFontHeader FontName=\"Test SansKZ_WM1\""), 1u);
}

TEST_F(WatermarkDrawingTest, DrawsAccentedTextAndLargeFontsAsBitmapsWithEveryGlyphSent) {
    SetText(devmode.WatermarkText, u"\u00C9T\u00C9 CONFIDENTIEL");
    const std::vector<std::string> lines = Draw();
    EXPECT_EQ(CountStarting(lines, "!!"), 0u);
    EXPECT_EQ(CountStarting(lines, "BeginFontHeader FontName=\"Test SansKZ_WM 0\""), 1u);
    EXPECT_EQ(CountStarting(lines, "ReadChar"), 16u) << "every character, the space included";
    EXPECT_EQ(CountStarting(lines, "SetCharAngle CharAngle=0"), 2u);
    EXPECT_EQ(CountStarting(lines, "SetFont FontName=\"Test SansKZ_WM 0\""), 1u);
    EXPECT_GT(CountStarting(lines, "Text TextData="), 10u);
    EXPECT_LE(CountStarting(lines, "Text TextData="), 16u);
    EXPECT_EQ(CountStarting(Draw(), "BeginFontHeader"), 0u) << "same angle: the font is reused";

    // Every other (angle, orientation) pair needs a font of its own; after the fourth the
    // names of a new generation take over, so no name is sent twice and the text is drawn.
    const struct {
        WORD orientation;
        const char* font;
    } pairs[] = {{2, "Test SansKZ_WM 1"}, {3, "Test SansKZ_WM 2"}, {4, "Test SansKZ_WM 3"},
                 {5, "Test SansKZ_WM1 0"}, {1, "Test SansKZ_WM1 1"}};
    for (const auto& pair : pairs) {
        sheet.Slots[0].PageOrientation = pair.orientation;
        const std::vector<std::string> drawn = Draw();
        const std::string name = std::string("FontName=\"") + pair.font + "\"";
        EXPECT_EQ(CountStarting(drawn, "BeginFontHeader " + name), 1u) << pair.font;
        EXPECT_EQ(CountStarting(drawn, "SetFont " + name), 1u) << pair.font;
    }

    ForgetWatermarkFonts(fonts);
    SetText(devmode.WatermarkText, u"DRAFT");
    SetText(devmode.WatermarkFace, u"Big Face");
    sheet.Slots[0].PageOrientation = DMORIENT_PORTRAIT;
    const std::vector<std::string> large = Draw();
    EXPECT_EQ(CountStarting(large, "BeginFontHeader FontName=\"Big FaceKZ_WM 0\""), 1u);
}

// DejaVu Sans as the only face of a collection file: every table offset counts from the
// collection's start, 16 bytes before the face's own directory.
std::filesystem::path WriteCollection() {
    std::ifstream in(testing::kDejaVuSans, std::ios::binary);
    std::vector<BYTE> face((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const WORD tables = ReadBigEndian16(face.data() + 4);
    for (WORD i = 0; i < tables; ++i) {
        BYTE* offset = face.data() + 12 + 16 * i + 8;
        WriteBigEndian32(offset, ReadBigEndian32(offset) + 16);
    }
    // The collection header and the face are written one after the other: appending the face to
    // a vector of the header makes GCC 12 at -O2 warn of an out-of-bounds move that cannot happen.
    const char header[] = {'t', 't', 'c', 'f', 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 16};
    const auto path = std::filesystem::temp_directory_path() /
                      ("xlrender-collection-" + std::to_string(::getpid()) + ".ttc");
    std::ofstream(path, std::ios::binary)
        .write(header, sizeof header)
        .write(reinterpret_cast<const char*>(face.data()),
               static_cast<std::streamsize>(face.size()));
    return path;
}

TEST_F(WatermarkDrawingTest, BitmapGlyphsAreDeclaredSquareAtTheResolutionTheyAreRenderedAt) {
    // A device of 600 x 1200 dpi: the glyphs are rendered 1200 dpi high, in square pixels.
    fonts.DeviceDpiY = 1200;
    SetText(devmode.WatermarkText, u"\u00C9T\u00C9");
    EXPECT_EQ(CountStarting(Draw(), "BeginFontHeader"), 1u);
    EXPECT_NE(written.find(std::string("BR\0\0\0\x04\x04\xB0\x04\xB0", 10)), std::string::npos);
}

TEST_F(WatermarkDrawingTest, DrawsAFaceOfACollectionFileAsBitmaps) {
    const std::filesystem::path collection = WriteCollection();
    sim::TheWorld().screenFonts.registry.push_back({u"Collected", false, false, collection});
    SetText(devmode.WatermarkFace, u"Collected");
    const std::vector<std::string> lines = Draw();
    std::filesystem::remove(collection);
    EXPECT_EQ(CountStarting(lines, "BeginFontHeader FontName=\"CollectedKZ_WM 0\""), 1u);
    EXPECT_EQ(CountStarting(lines, "ReadChar"), 12u);
}

TEST_F(WatermarkDrawingTest, WritesNothingForHostileLayoutsOrFailedFontServices) {
    sheet.SheetY1 = 0;
    EXPECT_TRUE(Draw(false).empty());
    sheet.SheetY1 = 7016;
    sheet.Slots[0].PageX1 = -5;
    EXPECT_TRUE(Draw(false).empty());
    sheet.Slots[0].PageX1 = 4760;

    for (const char* call : {"GetDC", "CreateFontIndirectW", "GetFontData", "GetCharWidth32W",
                             "GetTextExtentPoint32W"}) {
        sim::TheWorld().screenFonts.failAfter[call] = 1;
        EXPECT_TRUE(Draw(false).empty()) << call;
        EXPECT_EQ(fonts.WmFontDownloaded, 0u) << call;
    }
    failAllocation = 1;  // the font file's block
    EXPECT_TRUE(Draw(false).empty());
    EXPECT_EQ(CountStarting(Draw(), "BeginFontHeader"), 1u) << "nothing was marked as sent";

    devmode.WatermarkShade = 99;  // counts as shade 1
    devmode.WatermarkColor = -3;  // black
    devmode.Grayscale = 1;
    const std::vector<std::string> lines = Draw();
    EXPECT_EQ(CountStarting(lines,
                            "SetColorSpace ColorSpace=eGray PaletteDepth=e8Bit "
                            "PaletteData=<00 FF>"),
              1u);
}

TEST_F(WatermarkDrawingTest, SlotsAtTheEndsOf32BitsWriteTheTextWholeOnlyFromA16BitStart) {
    constexpr LONG kLow = INT32_MIN;
    constexpr LONG kHigh = INT32_MAX;
    const struct {
        LogicalPageSlot slot;
        LONG percent;
        std::size_t wholeTexts;  // only a start near the paper's corner fits 16 bits
    } cases[] = {{{1, kLow, 0, kLow + 40, 40, DMORIENT_PORTRAIT}, 100, 0},
                 {{1, kLow, kLow, kLow + 40, kLow + 40, DMORIENT_PORTRAIT}, 100, 0},
                 {{1, kLow, kLow, kLow + 40, kLow + 40, DMORIENT_PORTRAIT}, 150, 0},
                 {{1, kHigh - 40, kHigh - 40, kHigh, kHigh, DMORIENT_PORTRAIT}, 100, 0},
                 {{1, kLow, kLow, kHigh, kHigh, DMORIENT_PORTRAIT}, 100, 1},
                 {{1, kLow, kLow, kHigh, kHigh, DMORIENT_PORTRAIT}, 150, 0}};
    for (const auto& test : cases) {
        devmode.ScalePercent = test.percent;
        sheet.Slots[0] = test.slot;
        EXPECT_EQ(CountStarting(Draw(), "Text TextData=\"CONFIDENTIAL\""), test.wholeTexts)
            << test.slot.PageX0 << " at " << test.percent << "%";
    }
}

TEST_F(WatermarkDrawingTest, ReversesRightToLeftBitmapTextOnACopy) {
    sim::TheWorld().locale.uiLanguage = 0x040D;
    SetText(devmode.WatermarkText, u"\u05E1\u05D5\u05D3\u05D9");
    const std::vector<std::string> lines = Draw();
    EXPECT_EQ(CountStarting(lines, "ReadChar"), 4u);
    EXPECT_EQ(devmode.WatermarkText[0], u'\u05E1') << "the job's settings keep their order";
}

}  // namespace
}  // namespace xlrender
