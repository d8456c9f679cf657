#include "pjl/orientation.h"

#include <gtest/gtest.h>

namespace xlrender {
namespace {

constexpr SHORT kOtherOrientation = 3;

BYTE AttributeValue(SHORT publicOrientation, bool reversed, bool turned) {
    BYTE value = 0xFF;
    EXPECT_TRUE(OrientationAttributeValue(publicOrientation, reversed, turned, value));
    return value;
}

TEST(Orientation, AttributeValueForEachTurn) {
    EXPECT_EQ(AttributeValue(DMORIENT_PORTRAIT, false, false), 0);
    EXPECT_EQ(AttributeValue(DMORIENT_PORTRAIT, true, false), 2);
    EXPECT_EQ(AttributeValue(DMORIENT_PORTRAIT, false, true), 2);
    EXPECT_EQ(AttributeValue(DMORIENT_PORTRAIT, true, true), 0);
    EXPECT_EQ(AttributeValue(DMORIENT_LANDSCAPE, false, false), 1);
    EXPECT_EQ(AttributeValue(DMORIENT_LANDSCAPE, false, true), 3);
    EXPECT_EQ(AttributeValue(DMORIENT_LANDSCAPE, true, true), 1);
    BYTE untouched = 0xAA;
    EXPECT_FALSE(OrientationAttributeValue(kOtherOrientation, false, true, untouched));
    EXPECT_EQ(untouched, 0xAA);
}

TEST(Orientation, StapledLandscapeTwoUpTurnsTheSheet) {
    SheetTurnInputs stapled{false, true, 2, 2, false, 0, 0, 0};
    const bool turned = SheetTurnFlag(stapled);
    EXPECT_TRUE(turned);
    EXPECT_EQ(AttributeValue(DMORIENT_LANDSCAPE, false, turned), 3);
    EXPECT_EQ(AttributeValue(DMORIENT_LANDSCAPE, true, turned), 1);

    SheetTurnInputs portrait = stapled;
    portrait.privateOrientation = 1;
    EXPECT_FALSE(SheetTurnFlag(portrait));
    SheetTurnInputs fourUp = stapled;
    fourUp.pagesPerSheet = 4;
    EXPECT_FALSE(SheetTurnFlag(fourUp));
    SheetTurnInputs notStapled = stapled;
    notStapled.staplingSelected = false;
    EXPECT_FALSE(SheetTurnFlag(notStapled));
}

TEST(Orientation, ManualDuplexUsesTheFlipTestOnlyWhileTheDialogIsPending) {
    SheetTurnInputs duplex{true, true, 2, 1, true, 1, 0, 0};
    EXPECT_TRUE(SheetTurnFlag(duplex));  // portrait, 1-up, flip setting clear
    duplex.duplexDialogPending = false;
    EXPECT_FALSE(SheetTurnFlag(duplex));
}

TEST(Orientation, FlipTestTable) {
    // Portrait: turned layouts flip when the flip setting is set, the others when it is clear.
    EXPECT_TRUE(ManualDuplexFlip(6, 1, 1, 0));
    EXPECT_FALSE(ManualDuplexFlip(4, 1, 1, 0));
    EXPECT_TRUE(ManualDuplexFlip(4, 1, 0, 0));
    EXPECT_FALSE(ManualDuplexFlip(6, 1, 0, 0));
    // Landscape: the other way round.
    EXPECT_TRUE(ManualDuplexFlip(4, 2, 1, 0));
    EXPECT_TRUE(ManualDuplexFlip(6, 2, 0, 0));
    EXPECT_FALSE(ManualDuplexFlip(1, 2, 0, 0));
    // Other orientations never flip; 2-up only without the single layout.
    EXPECT_FALSE(ManualDuplexFlip(4, 3, 0, 0));
    EXPECT_TRUE(ManualDuplexFlip(2, 1, 1, 0));
    EXPECT_FALSE(ManualDuplexFlip(2, 1, 1, 1));
    EXPECT_TRUE(ManualDuplexFlip(6, 1, 1, 1));
}

TEST(Orientation, ContentOrientationLine) {
    PjlLines lines;
    ASSERT_TRUE(AppendContentOrientationLine(lines, DMORIENT_PORTRAIT, 1));
    ASSERT_TRUE(AppendContentOrientationLine(lines, DMORIENT_PORTRAIT, 2));
    ASSERT_TRUE(AppendContentOrientationLine(lines, DMORIENT_LANDSCAPE, 6));
    ASSERT_TRUE(AppendContentOrientationLine(lines, DMORIENT_LANDSCAPE, 9));
    EXPECT_STREQ(lines.text(),
                 "@PJL SET CONTENTORIENTATION=NOTSPECIFIED\n"
                 "@PJL SET CONTENTORIENTATION=LANDSCAPE\n"
                 "@PJL SET CONTENTORIENTATION=PORTRAIT\n"
                 "@PJL SET CONTENTORIENTATION=NOTSPECIFIED\n");

    // No value, no line: never "@PJL SET CONTENTORIENTATION=" on its own.
    PjlLines other;
    EXPECT_FALSE(AppendContentOrientationLine(other, kOtherOrientation, 2));
    EXPECT_TRUE(other.empty());
}

}  // namespace
}  // namespace xlrender
