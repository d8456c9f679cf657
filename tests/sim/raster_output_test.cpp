// The simulated Unidrv's raster: PackBits rows and the visible part of clipped blits.
#include "unidrv/raster_output.h"

#include <gtest/gtest.h>

#include <vector>

#include "gdi/clip_region.h"
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

TEST(RasterOutput, ClipKeepsOnlyTheVisibleParts) {
    CLIPOBJ clip{};
    clip.iDComplexity = DC_RECT;
    clip.rclBounds = {10, 0, 50, 30};
    const std::vector<RECTL> visible = VisibleParts({0, 10, 100, 110}, &clip);
    ASSERT_EQ(visible.size(), 1u);
    EXPECT_EQ(visible[0].left, 10);
    EXPECT_EQ(visible[0].top, 10);
    EXPECT_EQ(visible[0].right, 50);
    EXPECT_EQ(visible[0].bottom, 30);
    EXPECT_EQ(VisibleParts({0, 10, 100, 110}, nullptr)[0].right, 100);
    gdi::ClipRegion complex({{0, 0, 10, 10}, {0, 20, 10, 30}, {500, 500, 600, 600}}, TC_RECTANGLES);
    EXPECT_EQ(VisibleParts({5, 5, 100, 100}, complex.object()).size(), 2u);
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
    ASSERT_TRUE(WriteRasterImage(out, {&surface, {0, 0, 2, 1}, {5, 6, 7, 7}, {5, 6, 7, 7}}));
    // The row goes out as red-green-blue, padded to 8 bytes: 00 00 FF FF 00 00 00 00, which
    // packs into three runs.
    const std::string packedRow("\xFF\x00\xFF\xFF\xFD\x00", 6);
    EXPECT_NE(out.find(packedRow), std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(out.back()), 0xB2);  // EndImage

    surface.iBitmapFormat = BMF_4BPP;
    std::string refused;
    EXPECT_FALSE(WriteRasterImage(refused, {&surface, {0, 0, 2, 1}, {0, 0, 2, 1}, {0, 0, 2, 1}}));
    EXPECT_TRUE(refused.empty());
}

}  // namespace
}  // namespace sim::unidrv
