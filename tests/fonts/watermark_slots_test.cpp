// Which logical pages of a sheet are chosen for a watermark, and the sheet state escape 3883
// loads and the page end clears.
#include "fonts/watermark_slots.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace xlrender {
namespace {

constexpr DWORD kNupFourUp = 3;

std::vector<DWORD> Selected(const WatermarkSlots& slots) {
    return std::vector<DWORD>(slots.begin(), slots.end());
}

class WatermarkSlotsTest : public ::testing::Test {
protected:
    void SetUp() override {
        devmode.WatermarkEnabled = 1;
        devmode.NupOption = kNupFourUp;
        publicDevmode.dmDuplex = DMDUP_SIMPLEX;
        state.LastPageNumber = 8;
        for (DWORD i = 0; i < 4; ++i) {
            state.Slots[i].PageNumber = i + 1;
            state.Slots[i].PageOrientation = DMORIENT_PORTRAIT;
        }
    }
    WatermarkSlots Select(bool journaled = true) {
        return SelectWatermarkSlots(devmode, settings, &publicDevmode, state, journaled);
    }

    PrivateDevmode devmode{};
    JobSettings settings{};
    DEVMODEW publicDevmode{};
    PageWatermarkState state{};
};

TEST_F(WatermarkSlotsTest, FourUpSheetTestsFourSlots) {
    // Slot 4 holds a page too but lies beyond the four pages of the sheet.
    state.Slots[4] = state.Slots[0];
    EXPECT_EQ(Selected(Select()), (std::vector<DWORD>{0, 1, 2, 3}));
    state.Slots[2].PageOrientation = 0;  // empty slot
    state.Slots[3].PageNumber = 9;       // beyond the last page
    EXPECT_EQ(Selected(Select()), (std::vector<DWORD>{0, 1}));
}

TEST_F(WatermarkSlotsTest, SimplexSingleLayoutTestsOnlyTheFirstSlot) {
    devmode.SimplexSingleLayout = 1;
    EXPECT_EQ(Selected(Select()), (std::vector<DWORD>{0}));
    publicDevmode.dmDuplex = DMDUP_VERTICAL;
    EXPECT_EQ(Select().count, 4u);
    publicDevmode.dmDuplex = DMDUP_SIMPLEX;
    settings.ManualDuplexActive = 1;
    EXPECT_EQ(Select().count, 4u);
}

TEST_F(WatermarkSlotsTest, FirstPageOnlyKeepsPageNumberOne) {
    devmode.WatermarkFirstPageOnly = 1;
    EXPECT_EQ(Selected(Select()), (std::vector<DWORD>{0}));
    state.Slots[0].PageNumber = 5;
    EXPECT_EQ(Select().count, 0u);
}

TEST_F(WatermarkSlotsTest, NothingIsSelectedWithoutTheConditions) {
    EXPECT_EQ(Select(false).count, 0u);  // raw spool data
    state.LastPageNumber = 0;
    EXPECT_EQ(Select().count, 0u);
    state.LastPageNumber = 8;
    devmode.WatermarkEnabled = 2;
    EXPECT_EQ(Select().count, 0u);
    EXPECT_FALSE(ShouldDrawWatermark(nullptr, state, true, 0));
    devmode.WatermarkEnabled = 1;
    EXPECT_TRUE(ShouldDrawWatermark(&devmode, state, true, 0));
    EXPECT_FALSE(ShouldDrawWatermark(&devmode, state, true, kMaxPagesPerSheet));
}

TEST(PageWatermarkState, LoadsTheHeaderAndTheFirstSlotsThenClears) {
    DWORD words[kPageLayoutBlockBytes / 4] = {};
    for (DWORD i = 0; i < 10; ++i) {
        words[i] = 100 + i;
    }
    const FLOAT scale = 0.5f;
    std::memcpy(&words[8], &scale, sizeof scale);
    for (DWORD slot = 0; slot < kMaxPagesPerSheet; ++slot) {
        for (DWORD word = 0; word < 6; ++word) {
            words[10 + 6 * slot + word] = 1000 * (slot + 1) + word;
        }
        words[15 + 6 * slot] = 0xABCD0000u | DMORIENT_LANDSCAPE;
    }
    PageWatermarkState state{};
    state.Slots[2].PageNumber = 77;
    LoadPageWatermarkState(words, 2, state);
    EXPECT_EQ(state.SheetX0, 100);
    EXPECT_EQ(state.SheetY1, 103);
    EXPECT_EQ(state.LastPageNumber, 105u);
    EXPECT_EQ(state.SheetScale, 0.5f);
    EXPECT_EQ(state.NupRotated, 109u);
    EXPECT_EQ(state.Slots[1].PageNumber, 2000u);
    EXPECT_EQ(state.Slots[1].PageX0, 2001);
    EXPECT_EQ(state.Slots[1].PageY1, 2004);
    EXPECT_EQ(state.Slots[1].PageOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(state.Slots[2].PageNumber, 77u);  // beyond the two pages of the sheet

    ClearPageWatermarkState(state);
    const PageWatermarkState empty{};
    EXPECT_EQ(std::memcmp(&state, &empty, sizeof state), 0);
}

}  // namespace
}  // namespace xlrender
