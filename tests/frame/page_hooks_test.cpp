// The page end the plug-in writes after the sheet's last band or DrvSendPage, with its copy
// count, and the sheet's watermark state.
#include <gtest/gtest.h>

#include "frame/ddi_hooks.h"
#include "hook_fixture.h"

namespace xlrender {
namespace {

// PageCopies (uint16 value, attribute 0x31) and EndPage.
std::string PageEndWithCopies(WORD copies) {
    return std::string("\xC1", 1) + static_cast<char>(copies & 0xFF) +
           static_cast<char>(copies >> 8) + "\xF8\x31\x44";
}

class PageHooks : public testing::HookTest {
protected:
    void EnablePerSheet() {
        EnableDevice();
        Devmode().SpoolPath = kSpoolPathDriverEmf;
        Pdev().JobDataType = kJobDataTypeJournaled;
    }
    std::string LastBand() {
        device.spool().Clear();
        POINTL band{-1, -1};
        EXPECT_EQ(DrvNextBand(pso, &band), TRUE);
        return Spooled();
    }
};

TEST_F(PageHooks, AMopierMakesCollatedCopiesItself) {
    device.SelectOption("DeviceIsMopier", "INSTALLED");
    EnablePerSheet();
    device.SetStandardVariable(SVI_COPIES, 10);
    device.publicDevmode().dmCollate = DMCOLLATE_TRUE;
    EXPECT_EQ(LastBand(), PageEndWithCopies(1));
    device.publicDevmode().dmCollate = DMCOLLATE_FALSE;
    EXPECT_EQ(LastBand(), PageEndWithCopies(10));
    device.publicDevmode().dmCollate = 7;
    EXPECT_EQ(LastBand(), PageEndWithCopies(1));
}

TEST_F(PageHooks, WithoutAMopierThePrinterMakesUnidrvsCopies) {
    device.SelectOption("DeviceIsMopier", "NotInstalled");
    EnablePerSheet();
    device.publicDevmode().dmCollate = DMCOLLATE_TRUE;
    device.SetStandardVariable(SVI_COPIES, 10);
    EXPECT_EQ(LastBand(), PageEndWithCopies(10));
    device.SetStandardVariable(SVI_COPIES, 70000);
    EXPECT_EQ(LastBand(), PageEndWithCopies(0xFFFF));
    device.SetStandardVariable(SVI_COPIES, 0);
    EXPECT_EQ(LastBand(), PageEndWithCopies(1));
    device.SetStandardVariable(SVI_COPIES, -3);
    EXPECT_EQ(LastBand(), PageEndWithCopies(1));
}

TEST_F(PageHooks, AFailedCopyQueryOrAnUnknownMopierOptionKeepsOne) {
    device.SelectOption("DeviceIsMopier", "NOTINSTALLED");
    EnablePerSheet();
    EXPECT_EQ(LastBand(), PageEndWithCopies(1));  // SVI_COPIES not available
    device.SetStandardVariable(SVI_COPIES, 4);
    device.SelectOption("DeviceIsMopier", "Maybe");
    device.publicDevmode().dmCollate = DMCOLLATE_FALSE;
    EXPECT_EQ(LastBand(), PageEndWithCopies(1));
}

TEST_F(PageHooks, WithoutTheMopierFeatureUncollatedCopiesComeFromUnidrv) {
    EnablePerSheet();
    device.SetStandardVariable(SVI_COPIES, 3);
    device.publicDevmode().dmCollate = DMCOLLATE_FALSE;
    EXPECT_EQ(LastBand(), PageEndWithCopies(3));
}

TEST_F(PageHooks, OnlyTheLastBandEndsThePage) {
    EnableDevice();
    POINTL band{0, 1200};
    EXPECT_EQ(DrvNextBand(pso, &band), TRUE);
    EXPECT_TRUE(Spooled().empty());
    EXPECT_EQ(DrvNextBand(pso, nullptr), TRUE);
    EXPECT_TRUE(Spooled().empty());
    // Banded output ends every sheet with a copy count, also for raw jobs.
    Pdev().JobDataType = kJobDataTypeRaw;
    EXPECT_EQ(LastBand(), PageEndWithCopies(1));
    EXPECT_EQ(sim::TheWorld().ddiCalls.size(), 3u);
}

TEST_F(PageHooks, PerSheetPagesEndWithCopiesAndClearTheWatermarkState) {
    EnablePerSheet();
    Devmode().WatermarkEnabled = 1;
    Pdev().PageWatermarkState.LastPageNumber = 4;
    Pdev().PageWatermarkState.Slots[3].PageNumber = 4;
    sim::TheWorld().ddiResults["DrvSendPage"] = FALSE;
    EXPECT_EQ(DrvSendPage(pso), FALSE);  // Unidrv's answer, the page still ends
    EXPECT_EQ(Spooled(), PageEndWithCopies(1));
    EXPECT_EQ(Pdev().PageWatermarkState.LastPageNumber, 0u);
    EXPECT_EQ(Pdev().PageWatermarkState.Slots[3].PageNumber, 0u);

    Pdev().PageWatermarkState.LastPageNumber = 4;
    Devmode().WatermarkEnabled = 0;
    EXPECT_EQ(LastBand(), PageEndWithCopies(1));
    EXPECT_EQ(Pdev().PageWatermarkState.LastPageNumber, 4u);
}

TEST_F(PageHooks, OtherSpoolPathsEndTheSentPageBare) {
    EnableDevice();
    Devmode().SpoolPath = kSpoolPathSystemEmf;
    Devmode().WatermarkEnabled = 1;
    Pdev().PageWatermarkState.LastPageNumber = 4;
    EXPECT_EQ(DrvSendPage(pso), TRUE);
    EXPECT_EQ(Spooled(), "\x44");
    EXPECT_EQ(Pdev().PageWatermarkState.LastPageNumber, 4u);
}

TEST_F(PageHooks, WithoutAStreamThePageEndIsLostAndThePageFails) {
    EnablePerSheet();
    sim::TheWorld().heap.failAfter = 1;
    EXPECT_EQ(DrvSendPage(pso), FALSE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    sim::TheWorld().heap.failAfter = 1;
    POINTL band{-1, -1};
    EXPECT_EQ(DrvNextBand(pso, &band), FALSE);
    sim::TheWorld().heap.failAfter = 1;
    POINTL midSheet{0, 0};
    EXPECT_EQ(DrvNextBand(pso, &midSheet), TRUE) << "a band inside the sheet loses nothing";
    EXPECT_TRUE(Spooled().empty());
    // Unidrv still gets each call with its own arguments.
    ASSERT_EQ(sim::TheWorld().ddiCalls.size(), 3u);
    EXPECT_EQ(sim::TheWorld().ddiCalls[0].function, "DrvSendPage");
    EXPECT_EQ(sim::TheWorld().ddiCalls[1].arguments[1], reinterpret_cast<std::uintptr_t>(&band));
}

}  // namespace
}  // namespace xlrender
