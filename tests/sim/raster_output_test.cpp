// The simulated Unidrv's raster: PackBits rows and the visible part of clipped blits.
#include "unidrv/raster_output.h"

#include <gtest/gtest.h>

#include <vector>

#include "unidrv/pclxl_writer.h"

namespace sim::unidrv {
namespace {

TEST(PackBits, RunsAndLiteralsAsTiffDefinesThem) {
    EXPECT_EQ(pclxl::PackBits(std::string(4, 'A')), std::string("\xFD" "A", 2));
    EXPECT_EQ(pclxl::PackBits("ABC"), std::string("\x02" "ABC", 4));
    EXPECT_EQ(pclxl::PackBits("ABBB"), std::string("\x00" "A" "\xFE" "B", 4));
    EXPECT_EQ(pclxl::PackBits(std::string(130, 'Z')),
              std::string("\x81Z\xFFZ", 4));  // a 128 run, then a 2 run
    EXPECT_EQ(pclxl::PackBits(""), "");
}

TEST(RasterOutput, ClipKeepsOnlyTheVisiblePart) {
    CLIPOBJ clip{};
    clip.iDComplexity = DC_RECT;
    clip.rclBounds = {10, 0, 50, 30};
    const RECTL visible = ClipRectangle({0, 10, 100, 110}, &clip);
    EXPECT_EQ(visible.left, 10);
    EXPECT_EQ(visible.top, 10);
    EXPECT_EQ(visible.right, 50);
    EXPECT_EQ(visible.bottom, 30);
    const RECTL unclipped = ClipRectangle({0, 10, 100, 110}, nullptr);
    EXPECT_EQ(unclipped.right, 100);
}

TEST(RasterOutput, SourceOfAVisiblePartFollowsTheScale) {
    // A 50 x 50 source stretched onto 100 x 100: the visible quarter maps to a source quarter.
    const RECTL source = SourceForVisiblePart({0, 0, 50, 50}, {100, 100, 200, 200},
                                              {150, 100, 200, 150});
    EXPECT_EQ(source.left, 25);
    EXPECT_EQ(source.top, 0);
    EXPECT_EQ(source.right, 50);
    EXPECT_EQ(source.bottom, 25);
}

TEST(RasterOutput, ImageRowsAreRgbPaddedAndPacked) {
    // Two pixels, blue then red, in GDI's blue-green-red order.
    std::vector<BYTE> pixels = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0};
    SURFOBJ surface{};
    surface.iBitmapFormat = BMF_24BPP;
    surface.pvScan0 = pixels.data();
    surface.lDelta = 8;
    surface.sizlBitmap = {2, 1};
    std::string out;
    ASSERT_TRUE(WriteRasterImage(out, {&surface, {0, 0, 2, 1}, {5, 6, 7, 7}}));
    // The row goes out as red-green-blue, padded to 8 bytes: 00 00 FF FF 00 00 00 00, which
    // packs into three runs.
    const std::string packedRow("\xFF\x00\xFF\xFF\xFD\x00", 6);
    EXPECT_NE(out.find(packedRow), std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(out.back()), 0xB2);  // EndImage

    surface.iBitmapFormat = BMF_8BPP;
    std::string refused;
    EXPECT_FALSE(WriteRasterImage(refused, {&surface, {0, 0, 2, 1}, {0, 0, 2, 1}}));
    EXPECT_TRUE(refused.empty());
}

}  // namespace
}  // namespace sim::unidrv
