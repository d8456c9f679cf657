// Paths and clipping on hand-made streams: fill rules, strokes, and the clip region replaced,
// intersected, excluded and reset.
#include <gtest/gtest.h>

#include "pclxl_dump/pclxl_names.h"
#include "tools/xl_stream_builder.h"

namespace {

namespace op = pclxl_dump::op;
namespace attr = pclxl_dump::attr;
using xlrender::testing::RenderedRgb;
using xlrender::testing::RenderStream;
using xlrender::testing::XlStreamBuilder;

constexpr std::uint8_t kInterior = 0, kExterior = 1, kEvenOdd = 1;
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

// A page of 20 x 20 pixels with no pen, so that fills are exactly their rectangles.
XlStreamBuilder Page() {
    XlStreamBuilder s;
    s.Page(20, 20, 100).UByte(attr::kNullPen, 0).Op(op::kSetPenSource);
    return s;
}

RenderedRgb Render(XlStreamBuilder& s) {
    const auto run = RenderStream(s.EndPage().Stream());
    EXPECT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    return run.pages.empty() ? RenderedRgb{} : run.pages[0];
}

// Which pixels of row `y` are black, as a string of '#' and '.'.
std::string RowOf(const RenderedRgb& page, int y) {
    std::string row;
    for (int x = 0; x < page.width; ++x) {
        row += page.At(x, y) == kBlack ? '#' : '.';
    }
    return row;
}

TEST(PclXlRenderPaths, RectanglesCoverTheirBoxAndFillRulesDecideNestedHoles) {
    for (const bool evenOdd : {false, true}) {
        XlStreamBuilder s = Page();
        if (evenOdd) {
            s.UByte(attr::kFillMode, kEvenOdd).Op(op::kSetFillMode);
        }
        s.Op(op::kNewPath)
            .Box(attr::kBoundingBox, 2, 2, 18, 18)
            .Op(op::kRectanglePath)
            .Box(attr::kBoundingBox, 6, 6, 14, 14)
            .Op(op::kRectanglePath)
            .Op(op::kPaintPath);
        const RenderedRgb page = Render(s);
        EXPECT_EQ(RowOf(page, 1), "....................");
        EXPECT_EQ(RowOf(page, 2), "..################..");
        EXPECT_EQ(RowOf(page, 10), evenOdd ? "..####........####.." : "..################..");
        EXPECT_EQ(RowOf(page, 18), "....................");
    }
}

TEST(PclXlRenderPaths, LinesCloseIntoAFilledShapeAndStrokeWithThePenWidth) {
    XlStreamBuilder s = Page();
    // A triangle filled, then a horizontal line 4 pixels wide stroked with a gray pen.
    s.Op(op::kNewPath)
        .XY(attr::kPoint, 0, 0)
        .Op(op::kSetCursor)
        .XY(attr::kEndPoint, 10, 0)
        .Op(op::kLinePath)
        .XY(attr::kEndPoint, 0, 10)
        .Op(op::kLinePath)
        .Op(op::kCloseSubPath)
        .Op(op::kPaintPath);
    s.UByte(attr::kNullBrush, 0).Op(op::kSetBrushSource);
    s.UByte(attr::kGrayLevel, 0x80)
        .Op(op::kSetPenSource)
        .UByte(attr::kPenWidth, 4)
        .Op(op::kSetPenWidth);
    s.Op(op::kNewPath)
        .XY(attr::kPoint, 2, 15)
        .Op(op::kSetCursor)
        .XY(attr::kEndPoint, 18, 15)
        .Op(op::kLinePath)
        .Op(op::kPaintPath);
    const RenderedRgb page = Render(s);
    // Pixels whose centres lie left of the slanted side (x + y < 10).
    EXPECT_EQ(RowOf(page, 0), "#########...........");
    EXPECT_EQ(RowOf(page, 5), "####................");
    EXPECT_EQ(page.At(10, 12), kWhite);
    EXPECT_EQ(page.At(10, 13), 0x808080u);
    EXPECT_EQ(page.At(10, 16), 0x808080u);
    EXPECT_EQ(page.At(10, 17), kWhite);
    EXPECT_EQ(page.At(1, 15), kWhite) << "the line's open ends are not extended";
}

TEST(PclXlRenderClip, RectangleIntersectReplaceExteriorAndPage) {
    const auto fillAll = [](XlStreamBuilder& s) {
        s.Box(attr::kBoundingBox, 0, 0, 20, 20).Op(op::kRectangle);
    };
    // Clip rectangle 2..12, then a path 8..18 that the clip operator `clipOp` takes.
    const auto clippedTwice = [&fillAll](std::uint8_t clipOp) {
        XlStreamBuilder s = Page();
        s.UByte(attr::kClipRegion, kInterior)
            .Box(attr::kBoundingBox, 2, 2, 12, 12)
            .Op(op::kSetClipRectangle)
            .Op(op::kNewPath)
            .Box(attr::kBoundingBox, 8, 8, 18, 18)
            .Op(op::kRectanglePath)
            .UByte(attr::kClipRegion, kInterior)
            .Op(clipOp);
        fillAll(s);
        return Render(s);
    };
    // Intersected: 8..12 remains. Replaced: 8..18.
    EXPECT_EQ(RowOf(clippedTwice(op::kSetClipIntersect), 10), "........####........");
    const RenderedRgb replaced = clippedTwice(op::kSetClipReplace);
    EXPECT_EQ(RowOf(replaced, 10), "........##########..");
    EXPECT_EQ(RowOf(replaced, 5), "....................");

    // An exterior clip keeps everything but the box; SetClipToPage undoes it for later fills.
    XlStreamBuilder exterior = Page();
    exterior.UByte(attr::kClipRegion, kExterior)
        .Box(attr::kBoundingBox, 5, 5, 15, 15)
        .Op(op::kSetClipRectangle);
    fillAll(exterior);
    exterior.Op(op::kSetClipToPage)
        .UByte(attr::kGrayLevel, 0x40)
        .Op(op::kSetBrushSource)
        .Box(attr::kBoundingBox, 0, 18, 20, 20)
        .Op(op::kRectangle);
    const RenderedRgb excluded = Render(exterior);
    EXPECT_EQ(RowOf(excluded, 10), "#####..........#####");
    EXPECT_EQ(excluded.At(10, 19), 0x404040u);
}

TEST(PclXlRenderClip, PopGSRestoresTheClipAndTheBrush) {
    XlStreamBuilder s = Page();
    s.Op(op::kPushGS)
        .UByte(attr::kClipRegion, kInterior)
        .Box(attr::kBoundingBox, 0, 0, 5, 20)
        .Op(op::kSetClipRectangle)
        .UByte(attr::kGrayLevel, 0x80)
        .Op(op::kSetBrushSource)
        .Op(op::kPopGS)
        .Box(attr::kBoundingBox, 0, 0, 20, 20)
        .Op(op::kRectangle);
    EXPECT_EQ(RowOf(Render(s), 10), std::string(20, '#'));
}

}  // namespace
