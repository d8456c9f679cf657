// Images on hand-made streams: RLE rows and their padding, bit depths through the palette,
// gray pixels, scaling to DestinationSize, and the limits on hostile sizes.
#include <gtest/gtest.h>

#include "pclxl_dump/pclxl_names.h"
#include "tools/xl_stream_builder.h"

namespace {

namespace op = pclxl_dump::op;
namespace attr = pclxl_dump::attr;
using xlrender::testing::RenderStream;
using xlrender::testing::XlStreamBuilder;

constexpr std::uint8_t kGray = 1, kRgb = 2, kDirectPixel = 0, kIndexedPixel = 1;
constexpr std::uint8_t k1Bit = 0, k8Bit = 2, kNoCompression = 0, kRleCompression = 1;

XlStreamBuilder& BeginImage(XlStreamBuilder& s, std::uint8_t mapping, std::uint8_t depth, int width,
                            int height, int destinationWidth, int destinationHeight) {
    return s.XY(attr::kPoint, 2, 1)
        .Op(op::kSetCursor)
        .UByte(attr::kROP3, 0xCC)
        .Op(op::kSetROP)
        .UByte(attr::kColorMapping, mapping)
        .UByte(attr::kColorDepth, depth)
        .UInt16(attr::kSourceWidth, width)
        .UInt16(attr::kSourceHeight, height)
        .XY(attr::kDestinationSize, destinationWidth, destinationHeight)
        .Op(op::kBeginImage);
}

XlStreamBuilder& ReadImage(XlStreamBuilder& s, int startLine, int rows, std::uint8_t compression,
                           const std::vector<std::uint8_t>& data) {
    return s.UInt16(attr::kStartLine, startLine)
        .UInt16(attr::kBlockHeight, rows)
        .UByte(attr::kCompressMode, compression)
        .Op(op::kReadImage)
        .Data(data);
}

TEST(PclXlRenderImages, RleRowsArePaddedToFourBytesAndPlacedAtTheCursor) {
    XlStreamBuilder s;
    s.Page(10, 6, 100).UByte(attr::kColorSpace, kGray).Op(op::kSetColorSpace);
    BeginImage(s, kDirectPixel, k8Bit, 3, 2, 3, 2);
    // Row 0: 10 20 30 and its pad byte in one literal run; row 1: a run of three 0x80, then
    // its pad byte.
    ReadImage(s, 0, 2, kRleCompression, {0x03, 0x10, 0x20, 0x30, 0x00, 0xFE, 0x80, 0x00, 0x00});
    const auto run = RenderStream(s.Op(op::kEndImage).EndPage().Stream());
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    const auto& page = run.pages[0];
    EXPECT_EQ(page.At(1, 1), 0xFFFFFFu);
    EXPECT_EQ(page.At(2, 1), 0x101010u);
    EXPECT_EQ(page.At(4, 1), 0x303030u);
    EXPECT_EQ(page.At(5, 1), 0xFFFFFFu);
    EXPECT_EQ(page.At(2, 2), 0x808080u);
    EXPECT_EQ(page.At(4, 2), 0x808080u);
    EXPECT_EQ(page.At(2, 3), 0xFFFFFFu);
}

TEST(PclXlRenderImages, ShortRleDataIsRefusedWithTheRowCount) {
    XlStreamBuilder s;
    s.Page(10, 6, 100).UByte(attr::kColorSpace, kGray).Op(op::kSetColorSpace);
    BeginImage(s, kDirectPixel, k8Bit, 3, 2, 3, 2);
    const std::size_t readAt = s.Size();
    // Two rows' worth without the padding: the second row is short.
    ReadImage(s, 0, 2, kRleCompression, {0x05, 1, 2, 3, 4, 5, 6});
    const auto run = RenderStream(s.Op(op::kEndImage).EndPage().Stream());
    EXPECT_FALSE(run.outcome.succeeded);
    EXPECT_EQ(run.outcome.failureOffset, readAt);
    EXPECT_EQ(run.outcome.failure,
              "ReadImage: the data holds 1 of the block's 2 rows (4 bytes each, padded to a "
              "multiple of 4)");
}

TEST(PclXlRenderImages, OneBitIndicesGoThroughThePaletteAndScaleToTheDestination) {
    XlStreamBuilder s;
    s.Page(10, 6, 100)
        .UByte(attr::kColorSpace, kRgb)
        .UByte(attr::kPaletteDepth, k8Bit)
        .Bytes(attr::kPaletteData, {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF})
        .Op(op::kSetColorSpace);
    // 2 x 1 pixels (indices 0 1) drawn 4 x 2: each source pixel covers 2 x 2 device pixels.
    BeginImage(s, kIndexedPixel, k1Bit, 2, 1, 4, 2);
    ReadImage(s, 0, 1, kNoCompression, {0x40, 0, 0, 0});
    const auto run = RenderStream(s.Op(op::kEndImage).EndPage().Stream());
    ASSERT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    const auto& page = run.pages[0];
    EXPECT_EQ(page.At(2, 1), 0xFF0000u);
    EXPECT_EQ(page.At(3, 2), 0xFF0000u);
    EXPECT_EQ(page.At(4, 1), 0x0000FFu);
    EXPECT_EQ(page.At(5, 2), 0x0000FFu);
    EXPECT_EQ(page.At(6, 1), 0xFFFFFFu);
    EXPECT_EQ(page.At(2, 3), 0xFFFFFFu);
}

TEST(PclXlRenderImages, HostileSizesAreRefusedBeforeAnythingIsAllocated) {
    XlStreamBuilder huge;
    huge.Page(10, 6, 100);
    BeginImage(huge, kDirectPixel, k8Bit, 60000, 60000, 4, 4);
    auto run = RenderStream(huge.Stream());
    EXPECT_EQ(run.outcome.failure,
              "BeginImage: a raster of 60000 x 60000 pixels is larger than 256 MB decoded");

    XlStreamBuilder far;
    far.Page(10, 6, 100);
    BeginImage(far, kDirectPixel, k8Bit, 2, 2, 30000, 30000);
    run = RenderStream(far.Stream());
    EXPECT_EQ(run.outcome.failure,
              "BeginImage: DestinationSize must be positive and at most 16 times the page");
}

}  // namespace
