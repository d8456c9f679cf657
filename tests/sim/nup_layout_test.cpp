// The print processor's sheet layout and the escape block it sends.
#include "unidrv/nup_layout.h"

#include <gtest/gtest.h>

namespace sim::unidrv {
namespace {

TEST(NupLayout, FourUpFillsAGridInReadingOrder) {
    const SheetLayout layout = LayOutSheet(4, 0, 10, 1000, 1400, 1100, 1500, false);
    EXPECT_FALSE(layout.rotated);
    ASSERT_EQ(layout.slots.size(), 4u);
    EXPECT_EQ(layout.slots[1].pageNumber, 2u);
    EXPECT_EQ(layout.slots[1].rectangle.left, 500);
    EXPECT_EQ(layout.slots[1].rectangle.top, 0);
    EXPECT_EQ(layout.slots[2].rectangle.top, 700);
    EXPECT_EQ(layout.slots[3].rectangle.right, 1000);
    EXPECT_EQ(layout.slots[3].orientation, DMORIENT_PORTRAIT);
}

TEST(NupLayout, TwoUpTurnsThePagesAndTheLastSheetMayBePartlyEmpty) {
    const SheetLayout layout = LayOutSheet(2, 1, 3, 1000, 1400, 1100, 1500, false);
    EXPECT_TRUE(layout.rotated);
    ASSERT_EQ(layout.slots.size(), 1u);
    EXPECT_EQ(layout.slots[0].pageNumber, 3u);
    EXPECT_EQ(layout.slots[0].orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(layout.slots[0].rectangle.bottom, 700);

    const SheetLayoutBlock block = LayoutBlock(layout, 3);
    EXPECT_EQ(block.lastPageNumber, 3u);
    EXPECT_EQ(block.nupRotated, 1u);
    EXPECT_EQ(block.sheetX0, 1000) << "printable extent, then paper extent";
    EXPECT_EQ(block.sheetY0, 1400);
    EXPECT_EQ(block.sheetX1, 1100);
    EXPECT_EQ(block.sheetY1, 1500);
    EXPECT_EQ(block.slots[0].pageNumber, 3u);
    EXPECT_EQ(block.slots[1].orientation, 0u) << "an unused slot is empty";
}

TEST(NupLayout, LandscapeSheetsSwapColumnsAndRows) {
    const SheetLayout layout = LayOutSheet(6, 0, 6, 1400, 1000, 1500, 1100, true);
    ASSERT_EQ(layout.slots.size(), 6u);
    EXPECT_EQ(layout.slots[2].rectangle.left, 1400 * 2 / 3);
    EXPECT_EQ(layout.slots[3].rectangle.top, 500);
}

}  // namespace
}  // namespace sim::unidrv
