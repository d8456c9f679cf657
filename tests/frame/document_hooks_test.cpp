// DrvStartDoc, DrvStartPage, DrvEndDoc and DrvTextOut.
#include <gtest/gtest.h>

#include "frame/ddi_hooks.h"
#include "hook_fixture.h"

namespace xlrender {
namespace {

class DocumentHooks : public testing::HookTest {};

TEST_F(DocumentHooks, RawSpelledInLowerCaseIsRaw) {
    device.SelectOption("ColorMode", "Mono");
    EnableDevice();
    Devmode().SpoolPath = kSpoolPathDriverEmf;
    Devmode().WatermarkEnabled = 1;
    Pdev().PageWatermarkState.LastPageNumber = 4;
    Pdev().WatermarkFonts.WmFontDownloaded = 1;
    Pdev().WatermarkFonts.WmBitmapFonts[0].orientation = DMORIENT_PORTRAIT;
    AddJob(7, u"raw");
    WCHAR name[] = W("report");
    EXPECT_EQ(DrvStartDoc(pso, name, 7), TRUE);
    EXPECT_EQ(Pdev().WatermarkFonts.WmFontDownloaded, 0u) << "a new session: fonts forgotten";
    EXPECT_EQ(Pdev().WatermarkFonts.WmBitmapFonts[0].orientation, 0u);
    EXPECT_EQ(Pdev().JobDataType, kJobDataTypeRaw);
    EXPECT_EQ(DrvStartPage(pso), TRUE);
    EXPECT_EQ(Pdev().PageColourMode, kPageColourUnknown);
    EXPECT_EQ(DrvSendPage(pso), TRUE);
    EXPECT_EQ(Spooled(), "\x44");  // a bare EndPage
    EXPECT_EQ(Pdev().PageWatermarkState.LastPageNumber, 4u);
}

TEST_F(DocumentHooks, JournaledJobNotesTheColourModeOfItsFirstPage) {
    device.SelectOption("ColorMode", "mono");
    EnableDevice();
    Devmode().SpoolPath = kSpoolPathDriverEmf;
    AddJob(8, u"NT EMF 1.008");
    EXPECT_EQ(DrvStartDoc(pso, nullptr, 8), TRUE);
    EXPECT_EQ(Pdev().JobDataType, kJobDataTypeJournaled);
    EXPECT_EQ(Pdev().JobId, 8u);
    EXPECT_EQ(DrvStartPage(pso), TRUE);
    EXPECT_EQ(Pdev().PageColourMode, kPageColourMono);
    device.SelectOption("ColorMode", "Color");
    EXPECT_EQ(DrvStartPage(pso), TRUE);
    EXPECT_EQ(Pdev().PageCount, 2);
    EXPECT_EQ(Pdev().PageColourMode, kPageColourMono);  // later pages do not change it
}

TEST_F(DocumentHooks, TheSpoolerIsAskedOncePerDocumentAndNotAgainOnceKnown) {
    EnableDevice();
    // No such job: one failed query, and the hook returns with the type still unknown.
    EXPECT_EQ(DrvStartDoc(pso, nullptr, 9), TRUE);
    EXPECT_EQ(Pdev().JobDataType, kJobDataTypeUnknown);
    AddJob(9, u"RAW");
    EXPECT_EQ(DrvStartDoc(pso, nullptr, 9), TRUE);
    EXPECT_EQ(Pdev().JobDataType, kJobDataTypeRaw);
    sim::TheWorld().spooler.jobs[0].datatype = u"NT EMF 1.008";
    EXPECT_EQ(DrvStartDoc(pso, nullptr, 0), TRUE);
    EXPECT_EQ(Pdev().JobDataType, kJobDataTypeRaw);
    EXPECT_EQ(Pdev().JobId, 9u);  // a zero job id leaves the known one
    EXPECT_EQ(sim::TheWorld().ddiCalls.size(), 3u);
}

TEST_F(DocumentHooks, TheDocumentNameIsCutAndTerminated) {
    EnableDevice();
    std::u16string longName(300, u'd');
    longName[254] = u'e';
    EXPECT_EQ(DrvStartDoc(pso, longName.data(), 1), TRUE);
    EXPECT_EQ(Pdev().DocName[254], u'e');
    EXPECT_EQ(Pdev().DocName[255], 0);
    EXPECT_EQ(sim::TheWorld().ddiCalls[0].arguments[1],
              reinterpret_cast<std::uintptr_t>(longName.data()));
}

TEST_F(DocumentHooks, MissingPrivateDevmodeFailsWithoutCallingUnidrv) {
    EnableDevice();
    device.devobj()->pOEMDM = nullptr;
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(DrvStartDoc(pso, nullptr, 1), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(DrvStartPage(pso), FALSE);
    EXPECT_EQ(DrvEndDoc(pso, 0), FALSE);
    POINTL band{-1, -1};
    EXPECT_EQ(DrvNextBand(pso, &band), FALSE);
    EXPECT_EQ(DrvEscape(pso, PASSTHROUGH, 0, nullptr, 0, nullptr), 0u);
    EXPECT_TRUE(sim::TheWorld().ddiCalls.empty());
    EXPECT_TRUE(Spooled().empty());
}

class TextAsBlack : public testing::HookTest {
protected:
    ULONG DrawWith(ULONG colour, RECTL* extra, RECTL* opaque) {
        BRUSHOBJ brush{};
        brush.iSolidColor = colour;
        EXPECT_EQ(DrvTextOut(pso, nullptr, nullptr, nullptr, extra, opaque, &brush, nullptr,
                             nullptr, 0x0D0D),
                  TRUE);
        EXPECT_EQ(sim::TheWorld().ddiCalls.back().arguments[6],
                  reinterpret_cast<std::uintptr_t>(&brush));
        return brush.iSolidColor;
    }
    RECTL rectangle{};
};

TEST_F(TextAsBlack, ColouredTextTurnsBlackOnlyWithoutRectangles) {
    device.SelectOption("TextAsBlack", "TRUE");
    EnableDevice();
    EXPECT_EQ(DrawWith(0x0000FF, nullptr, nullptr), 0u);
    EXPECT_EQ(DrawWith(0x0000FF, nullptr, &rectangle), 0x0000FFu);  // opaque background
    EXPECT_EQ(DrawWith(0x0000FF, &rectangle, nullptr), 0x0000FFu);  // underline/strike-out
    EXPECT_EQ(DrawWith(0xFFFFFF, nullptr, nullptr), 0xFFFFFFu);     // white stays white
    EXPECT_EQ(DrvTextOut(pso, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, 0x0D0D),
              TRUE);
}

TEST_F(TextAsBlack, OffLeavesTheColour) {
    device.SelectOption("TextAsBlack", "FALSE");
    EnableDevice();
    EXPECT_EQ(DrawWith(0x00FF00, nullptr, nullptr), 0x00FF00u);
}

}  // namespace
}  // namespace xlrender
