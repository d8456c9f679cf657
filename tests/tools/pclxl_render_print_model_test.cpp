// The print model on hand-made streams: ROP3 codes against a hand-computed truth table, and
// source and paint transparency.
#include <gtest/gtest.h>

#include "pclxl_dump/pclxl_names.h"
#include "tools/xl_stream_builder.h"

namespace {

namespace op = pclxl_dump::op;
namespace attr = pclxl_dump::attr;
using xlrender::testing::RenderStream;
using xlrender::testing::XlStreamBuilder;

constexpr std::uint8_t kRgb = 2, kDirectPixel = 0, k8Bit = 2, kNoCompression = 0;

XlStreamBuilder& Fill(XlStreamBuilder& s, std::vector<std::uint8_t> rgb, int x0, int y0, int x1,
                      int y1) {
    return s.Bytes(attr::kRGBColor, rgb)
        .Op(op::kSetBrushSource)
        .Box(attr::kBoundingBox, x0, y0, x1, y1)
        .Op(op::kRectangle);
}

// A 2 x 1 direct RGB image drawn at (x, y), one device pixel per source pixel.
XlStreamBuilder& Image(XlStreamBuilder& s, int x, int y, std::vector<std::uint8_t> pixels) {
    pixels.resize(8);  // two pixels, the row padded to 4 bytes
    return s.XY(attr::kPoint, x, y)
        .Op(op::kSetCursor)
        .UByte(attr::kColorMapping, kDirectPixel)
        .UByte(attr::kColorDepth, k8Bit)
        .UInt16(attr::kSourceWidth, 2)
        .UInt16(attr::kSourceHeight, 1)
        .XY(attr::kDestinationSize, 2, 1)
        .Op(op::kBeginImage)
        .UInt16(attr::kStartLine, 0)
        .UInt16(attr::kBlockHeight, 1)
        .UByte(attr::kCompressMode, kNoCompression)
        .Op(op::kReadImage)
        .Data(pixels)
        .Op(op::kEndImage);
}

TEST(PclXlRenderRop3, MatchesTheTruthTableOnDestinationSourceAndPaint) {
    // Red: D 0xAA, S 0xCC, P 0xF0 make every result bit the code's own bit, so the result is
    // the code itself. Green: D 0x3C, S 0x5A, P 0x0F, worked out by hand.
    struct Case {
        std::uint8_t rop;
        std::uint8_t green;
    };
    const Case cases[] = {{0x00, 0x00}, {0x66, 0x66}, {0x88, 0x18}, {0xCC, 0x5A},
                          {0xEE, 0x7E}, {0xF0, 0x0F}, {0xFC, 0x5F}, {0xFF, 0xFF}};
    for (const Case& c : cases) {
        XlStreamBuilder s;
        s.Page(4, 4, 100).UByte(attr::kColorSpace, kRgb).Op(op::kSetColorSpace);
        s.UByte(attr::kNullPen, 0).Op(op::kSetPenSource);
        Fill(s, {0xAA, 0x3C, 0x00}, 0, 0, 4, 4);
        s.Bytes(attr::kRGBColor, {0xF0, 0x0F, 0x00}).Op(op::kSetBrushSource);
        s.UByte(attr::kROP3, c.rop).Op(op::kSetROP);
        Image(s, 1, 1, {0xCC, 0x5A, 0x00, 0xCC, 0x5A, 0x00});
        const auto run = RenderStream(s.EndPage().Stream());
        ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
        const std::uint32_t pixel = run.pages.at(0).At(1, 1);
        EXPECT_EQ(pixel >> 16, c.rop) << std::hex << "ROP3 0x" << int{c.rop};
        EXPECT_EQ(pixel >> 8 & 0xFF, c.green) << std::hex << "ROP3 0x" << int{c.rop};
        EXPECT_EQ(run.pages[0].At(0, 0), 0xAA3C00u) << "outside the image";
    }
}

TEST(PclXlRenderRop3, TheDefaultOrsAnImageWithTheBrush) {
    XlStreamBuilder s;
    s.Page(4, 4, 100).UByte(attr::kColorSpace, kRgb).Op(op::kSetColorSpace);
    s.Bytes(attr::kRGBColor, {0x00, 0x00, 0xFF}).Op(op::kSetBrushSource);
    Image(s, 0, 0, {0x80, 0x00, 0x00, 0x00, 0x80, 0x00});
    const auto run = RenderStream(s.EndPage().Stream());
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    EXPECT_EQ(run.pages[0].At(0, 0), 0x8000FFu);
    EXPECT_EQ(run.pages[0].At(1, 0), 0x0080FFu);
}

TEST(PclXlRenderTransparency, WhiteSourceAndPaintDropOutOnlyWhenTransparent) {
    for (const bool transparent : {false, true}) {
        XlStreamBuilder s;
        s.Page(4, 4, 100).UByte(attr::kColorSpace, kRgb).Op(op::kSetColorSpace);
        s.UByte(attr::kNullPen, 0).Op(op::kSetPenSource);
        Fill(s, {0x20, 0x40, 0x60}, 0, 0, 4, 4);
        s.UByte(attr::kTxMode, transparent).Op(op::kSetSourceTxMode);
        s.UByte(attr::kTxMode, transparent).Op(op::kSetPaintTxMode);
        s.UByte(attr::kROP3, 0xCC).Op(op::kSetROP);
        Image(s, 0, 0, {0xFF, 0xFF, 0xFF, 0x10, 0x10, 0x10});
        // A white fill: its paint is white.
        s.UByte(attr::kROP3, 0xF0).Op(op::kSetROP);
        Fill(s, {0xFF, 0xFF, 0xFF}, 0, 2, 4, 4);
        const auto run = RenderStream(s.EndPage().Stream());
        ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
        const auto& page = run.pages[0];
        EXPECT_EQ(page.At(0, 0), transparent ? 0x204060u : 0xFFFFFFu) << "white source pixel";
        EXPECT_EQ(page.At(1, 0), 0x101010u) << "dark source pixel";
        EXPECT_EQ(page.At(3, 3), transparent ? 0x204060u : 0xFFFFFFu) << "white paint";
    }
}

}  // namespace
