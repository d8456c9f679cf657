// The watermark geometry, with layouts and settings from any application.
#include "fonts/watermark_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace xlrender {
namespace {

constexpr LANGID kEnglish = 0x0409;
constexpr LANGID kHebrew = 0x040D;

class WatermarkLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        devmode.WatermarkSize = 80;
        devmode.WatermarkAngle = 30;
        devmode.ScalePercent = 100;
        devmode.NupOption = 1;
        devmode.Orientation = DMORIENT_PORTRAIT;
        publicDevmode.dmOrientation = DMORIENT_PORTRAIT;
        publicDevmode.dmDuplex = DMDUP_SIMPLEX;
        sheet = {4800, 6800, 5000, 7000, 1, 1.0f, 0, {}};
        sheet.Slots[0] = {1, 0, 0, 4800, 6800, DMORIENT_PORTRAIT};
    }
    float Angle(LANGID language, DWORD slot = 0) {
        return WatermarkAngleFor(devmode, settings, publicDevmode, sheet, slot, language);
    }
    PrivateDevmode devmode{};
    JobSettings settings{};
    DEVMODEW publicDevmode{};
    PageWatermarkState sheet{};
};

TEST_F(WatermarkLayoutTest, AnglesFollowTheDiagonalTheLanguageAndTheHalfSheetTurn) {
    sheet.SheetX1 = sheet.SheetY1 = 7000;
    EXPECT_FLOAT_EQ(Angle(kEnglish), 45.0f);
    EXPECT_FLOAT_EQ(Angle(kHebrew), 315.0f);
    devmode.WatermarkAngleMode = 1;
    EXPECT_FLOAT_EQ(Angle(kHebrew), 30.0f);
    devmode.WatermarkAngleMode = 2;
    EXPECT_FLOAT_EQ(Angle(kHebrew), 330.0f);

    devmode.WatermarkAngleMode = 0;
    devmode.NupOption = 2;  // 2-up
    sheet.NupRotated = 1;
    sheet.Slots[0].PageOrientation = DMORIENT_LANDSCAPE;
    // 45 turned a quarter first, then the landscape slot of a portrait job: 360 - e.
    EXPECT_FLOAT_EQ(Angle(kEnglish), 360.0f - (45.0f + 90.0f));
    sheet.Slots[0].PageOrientation = DMORIENT_PORTRAIT;
    publicDevmode.dmOrientation = DMORIENT_LANDSCAPE;
    EXPECT_FLOAT_EQ(Angle(kEnglish), 180.0f - (45.0f + 90.0f));
}

TEST_F(WatermarkLayoutTest, FontSizesAndHeightsStayWithinTheirRanges) {
    EXPECT_EQ(WatermarkLogFont(devmode, 600, WatermarkFontSize(devmode, sheet, 1), 52.9f, kEnglish)
                  .lfHeight,
              -666);
    EXPECT_EQ(WatermarkLogFont(devmode, 600, 80, 52.9f, kEnglish).lfEscapement, 520);
    EXPECT_EQ(WatermarkLogFont(devmode, 600, 80, 2.0e9f, kEnglish).lfEscapement % 3600,
              WatermarkLogFont(devmode, 600, 80, 2.0e9f, kEnglish).lfEscapement);

    // Four up: about half the size, from the printable and paper extents.
    const float fourUp = WatermarkFontSize(devmode, sheet, 4);
    EXPECT_GT(fourUp, 80 * 0.45f);
    EXPECT_LT(fourUp, 80 * 0.5f);

    devmode.WatermarkSize = 0;
    EXPECT_EQ(WatermarkFontSize(devmode, sheet, 1), kMinWatermarkPoints);
    devmode.WatermarkSize = 1 << 30;
    EXPECT_EQ(WatermarkFontSize(devmode, sheet, 1), kMaxWatermarkPoints);
    devmode.ScalePercent = 0xFFFFFFF0u;  // negative: counts as 100
    EXPECT_EQ(PageScale(devmode), 1.0);
    EXPECT_EQ(WatermarkLogFont(devmode, 1200, kMaxWatermarkPoints, 0, kEnglish).lfHeight, -16666);
    EXPECT_EQ(WatermarkLogFont(devmode, 0xFFFFFFFF, kMaxWatermarkPoints, 0, kEnglish).lfHeight,
              -32767);

    for (WCHAR& unit : devmode.WatermarkFace) unit = u'F';
    const LOGFONTW font = WatermarkLogFont(devmode, 600, 80, 0, kEnglish);
    EXPECT_EQ(font.lfFaceName[LF_FACESIZE - 2], u'F');
    EXPECT_EQ(font.lfFaceName[LF_FACESIZE - 1], 0) << "31 units and a terminator";
}

TEST_F(WatermarkLayoutTest, ReducesAnglesWithoutLoopingAndStartsFromTheRightDivisors) {
    EXPECT_EQ(ReduceAngle(720.0), 360.0);
    EXPECT_EQ(ReduceAngle(400.0), 40.0);
    EXPECT_EQ(ReduceAngle(-400.0), -400.0);
    EXPECT_EQ(ReduceAngle(std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_LE(ReduceAngle(3.0e38), 360.0);

    const SIZE extent = {1000, 200};
    const double alpha = std::atan(100.0 / 500.0);
    const double radius = std::hypot(500.0, 100.0);
    const POINTL flat = TextStart({2000, 3000}, extent, 0.0, 1);
    EXPECT_EQ(flat.x, 2000 - static_cast<LONG>(radius * std::cos(alpha)));
    EXPECT_EQ(flat.y, 3000 + static_cast<LONG>(radius * std::sin(alpha / 2)));
    const double theta = 30 * 3.14159265358979323846 / 180;
    const POINTL oneUp = TextStart({2000, 3000}, extent, 30.0, 1);
    EXPECT_EQ(oneUp.x, 2000 - static_cast<LONG>(radius * std::cos(theta + alpha / 2)));
    EXPECT_EQ(oneUp.y, 3000 + static_cast<LONG>(radius * std::sin(theta + alpha / 6)));
}

TEST_F(WatermarkLayoutTest, RefusesEmptyLayoutsAndKeepsClipsInOrderAndWithin16Bits) {
    EXPECT_TRUE(SlotCanCarryWatermark(sheet, 0));
    PageWatermarkState hostile = sheet;
    hostile.SheetX1 = 0;
    EXPECT_FALSE(SlotCanCarryWatermark(hostile, 0));
    hostile = sheet;
    std::swap(hostile.Slots[0].PageY0, hostile.Slots[0].PageY1);
    EXPECT_FALSE(SlotCanCarryWatermark(hostile, 0));
    EXPECT_FALSE(SlotCanCarryWatermark(sheet, 1)) << "empty slot";
    EXPECT_FALSE(SlotCanCarryWatermark(sheet, 16));

    const RECTL onPaper = WatermarkClip(devmode, sheet, 0);
    EXPECT_EQ(onPaper.left, 100);
    EXPECT_EQ(onPaper.top, 200);
    EXPECT_EQ(onPaper.right, 4900);
    EXPECT_EQ(onPaper.bottom, 6700);

    devmode.ScalePercent = 50;
    const RECTL halved = WatermarkClip(devmode, sheet, 0);
    EXPECT_EQ(halved.right, 2400);
    EXPECT_EQ(halved.bottom, 3400);

    devmode.ScalePercent = 100;
    hostile = sheet;  // the first two frame values left at zero turn the clip upside down
    hostile.SheetX0 = hostile.SheetY0 = 0;
    hostile.Slots[0].PageX1 = 2000000000;
    const RECTL ordered = WatermarkClip(devmode, hostile, 0);
    EXPECT_LE(ordered.top, ordered.bottom);
    EXPECT_EQ(ordered.right, 32767);
}

}  // namespace
}  // namespace xlrender
