#include "settings/job_settings.h"

#include <gtest/gtest.h>

#include "frame/device_state.h"
#include "frame/oem_pdev.h"
#include "settings/keyword_tables.h"
#include "unidrv/device.h"
#include "world.h"

namespace xlrender {
namespace {

class JobSettingsTest : public ::testing::Test {
protected:
    JobSettingsTest() {
        devmode().dwSize = kPrivateDevmodeSize;
        gdi.szlPhysSize = {5100, 6600};
        gdi.ptlPhysOffset = {96, 100};
        gdi.ulHorzRes = 5100 - 96 - 110;
        gdi.ulVertRes = 6600 - 100 - 90;
        gdi.ulLogPixelsX = 600;
        gdi.ulLogPixelsY = 600;
        gdi.cBitsPixel = 1;
        gdi.ulNumColors = 2;
    }
    PrivateDevmode& devmode() { return *PrivateDevmodeOf(device.devobj()); }
    bool ReadDevice() { return ReadDeviceFeatures(source, &gdi, settings); }

    sim::unidrv::Device device{kPrivateDevmodeSize};
    sim::unidrv::DriverHelper helper;
    FeatureSource source{device.devobj(), &helper};
    GDIINFO gdi{};
    JobSettings settings{};
};

TEST_F(JobSettingsTest, TableFieldsAreLearntOnceAndRetriedWhileUnknown) {
    device.SelectOption("KZPrinterCode", "KZR9999");
    device.SelectOption("KZColorMode", "COLOR_MODE");
    ASSERT_TRUE(ReadDevmodeFeatures(source));
    EXPECT_EQ(devmode().PrinterCode, 0u);
    EXPECT_EQ(devmode().ColorMode, kColorModeColor);

    device.SelectOption("KZPrinterCode", "KZR6100");
    device.SelectOption("KZColorMode", "MONOCHROME_MODE");
    ASSERT_TRUE(ReadDevmodeFeatures(source));
    EXPECT_EQ(devmode().PrinterCode, kPrinterCodeR6100);
    EXPECT_EQ(devmode().ColorMode, kColorModeColor);  // known values are never read again
}

TEST_F(JobSettingsTest, DevmodeFeaturesNeedTheHelperAndThePrivateDevmode) {
    device.SelectOption("KZPrinterCode", "KZQMX4");
    const FeatureSource noHelper{device.devobj(), nullptr};
    EXPECT_FALSE(ReadDevmodeFeatures(noHelper));
    sim::unidrv::Device bare(0);
    EXPECT_FALSE(ReadDevmodeFeatures(FeatureSource{bare.devobj(), &helper}));
    EXPECT_FALSE(ReadJobFeatures(FeatureSource{bare.devobj(), &helper}, settings));
    EXPECT_EQ(devmode().PrinterCode, 0u);
    EXPECT_EQ(devmode().PrintProcessorKind, 0u);
}

TEST_F(JobSettingsTest, ManualDuplexIsClearedWhenThePrinterDoesNotOfferIt) {
    for (const char* option : {"", "NOTINSTALLED", "false"}) {
        devmode().ManualDuplexSelected = 1;
        devmode().DuplexPaperCheck = 1;
        if (*option != 0) {
            device.SelectOption("ManualDuplex", option);
        }
        ReadDevmodeFeatures(source);
        EXPECT_EQ(devmode().ManualDuplexSelected, 0u) << option;
        EXPECT_EQ(devmode().DuplexPaperCheck, 0u) << option;
    }
    device.SelectOption("ManualDuplex", "INSTALLED");
    devmode().ManualDuplexSelected = 1;
    ReadDevmodeFeatures(source);
    EXPECT_EQ(devmode().ManualDuplexSelected, 1u);
}

TEST_F(JobSettingsTest, RetentionAndTrueTypeMode) {
    devmode().TrueTypeMode = 7;
    ReadDevmodeFeatures(source);
    EXPECT_EQ(devmode().TrueTypeMode, 7u);  // absent: unchanged
    EXPECT_EQ(devmode().JobRetentionInstalled, 0u);
    device.SelectOption("TTAsBitmapsSetting", "ttmodebitmap");
    device.SelectOption("JobRetention", "TRUE");
    ReadDevmodeFeatures(source);
    EXPECT_EQ(devmode().TrueTypeMode, kTrueTypeAsBitmaps);
    EXPECT_EQ(devmode().JobRetentionInstalled, 1u);
    device.SelectOption("TTAsBitmapsSetting", "TTModeDownload");
    ReadDevmodeFeatures(source);
    EXPECT_EQ(devmode().TrueTypeMode, kTrueTypeOther);
}

TEST_F(JobSettingsTest, JobFeatures) {
    settings.TextAsBlackEnabled = 1;
    settings.JobAccountingKind = 3;
    device.SelectOption("KZJobAccounting", "kzjobacct_jobacnt");  // wrong case: no match
    device.SelectOption("KZPJLEncoding", "UTF8");
    device.SelectOption("KZPosterPrinting", "TRUE");
    device.SelectOption("KZPosterPrintingOption", "POSTER_4");
    ASSERT_TRUE(ReadJobFeatures(source, settings));
    EXPECT_EQ(settings.TextAsBlackEnabled, 1u);  // absent: unchanged
    EXPECT_EQ(settings.JobAccountingKind, 3u);   // no match: unchanged
    EXPECT_EQ(settings.PjlEncodingKind, 1u);
    EXPECT_EQ(settings.PosterPrintingEnabled, 1u);
    EXPECT_EQ(settings.PosterOption, 2u);

    device.SelectOption("TextAsBlack", "FALSE");
    device.SelectOption("KZPosterPrinting", "FALSE");
    ASSERT_TRUE(ReadJobFeatures(source, settings));
    EXPECT_EQ(settings.TextAsBlackEnabled, 0u);
    EXPECT_EQ(settings.PosterPrintingEnabled, 0u);
}

TEST_F(JobSettingsTest, EmulatedMarginsAt600Dpi) {
    device.SelectOption("KZEmulateLumisetMargins", "TRUE");
    device.SelectOption("KZAutoDuplexScaling", "TRUE");
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.EmulateLsMargins, 1u);
    EXPECT_EQ(settings.AutoDuplexScaling, 0u);  // a simplex job never reads it
    EXPECT_EQ(settings.MarginX, 110u);
    EXPECT_EQ(settings.MarginY, 100u);
    EXPECT_EQ(settings.PrintableWidth, 5100u - 220);
    EXPECT_EQ(settings.PrintableHeight, 6600u - 200);
    EXPECT_EQ(gdi.ptlPhysOffset.x, 100);
    EXPECT_EQ(gdi.ptlPhysOffset.y, 100);
    EXPECT_EQ(gdi.ulHorzRes, 4900u);
    EXPECT_EQ(gdi.ulVertRes, 6400u);
}

TEST_F(JobSettingsTest, MarginEmulationNeverWrapsIntoHugeMargins) {
    device.SelectOption("KZEmulateLumisetMargins", "TRUE");
    // Printable width reaches past the page: the right margin is negative and counts as none.
    gdi.ptlPhysOffset = {100, 100};
    gdi.ulHorzRes = 5100;
    gdi.ulVertRes = 6400;
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.MarginX, 100u);
    EXPECT_EQ(settings.PrintableWidth, 4900u);
    EXPECT_EQ(gdi.ulHorzRes, 4900u);

    // Offsets beyond the page: nothing positive results, so GDIINFO stays as Unidrv gave it.
    gdi.ptlPhysOffset = {6000, 100};
    gdi.ulHorzRes = 100;
    gdi.ulVertRes = 6400;
    const GDIINFO before = gdi;
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(gdi.ptlPhysOffset.x, before.ptlPhysOffset.x);
    EXPECT_EQ(gdi.ulHorzRes, before.ulHorzRes);
    EXPECT_EQ(settings.MarginX, 6000u);
    EXPECT_EQ(settings.PrintableWidth, 100u);
}

TEST_F(JobSettingsTest, DuplexJobsReadScalingButNeverMargins) {
    device.publicDevmode().dmDuplex = DMDUP_VERTICAL;
    device.SelectOption("KZEmulateLumisetMargins", "TRUE");
    device.SelectOption("KZSymmetricMargins", "TRUE");
    const GDIINFO before = gdi;
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.EmulateLsMargins, 0u);
    EXPECT_EQ(settings.SymmetricMargins, 0u);
    EXPECT_EQ(gdi.ulHorzRes, before.ulHorzRes);
    EXPECT_EQ(settings.AutoDuplexScaling, 0u);
    device.SelectOption("KZAutoDuplexScaling", "true");
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.AutoDuplexScaling, 1u);
    device.SelectOption("KZAutoDuplexScaling", "Off");
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.AutoDuplexScaling, 2u);
}

TEST_F(JobSettingsTest, ColourCountsAndGreySurface) {
    devmode().RenderFlags = kRenderRaiseColorCount;
    for (const auto& [before, after] :
         {std::pair<ULONG, ULONG>{2, 256}, {65536, 65535}, {300, 300}}) {
        gdi.ulNumColors = before;
        ASSERT_TRUE(ReadDevice());
        EXPECT_EQ(gdi.ulNumColors, after) << before;
    }
    EXPECT_EQ(gdi.cBitsPixel, 1u);
    devmode().RenderFlags = kRenderGraySurface;
    devmode().ColorMode = kColorModeColor;
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(gdi.cBitsPixel, 1u);
    devmode().Grayscale = 1;
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(gdi.cBitsPixel, 8u);
}

TEST_F(JobSettingsTest, CustomRangeKeywords) {
    const struct {
        const char* option;
        LONG first, second;
    } cases[] = {{"85", 85, 0},
                 {"85_110", 85, 110},
                 {"-3_+7x", -3, 7},
                 {"x_7", 0, 7},
                 {"99999999999_1", 2147483647, 1}};
    for (const auto& test : cases) {
        device.SelectOption("ActualCustomRange", test.option);
        ASSERT_TRUE(ReadDevice());
        EXPECT_EQ(settings.CustomRangeFirst, test.first) << test.option;
        EXPECT_EQ(settings.CustomRangeSecond, test.second) << test.option;
    }
}

TEST_F(JobSettingsTest, ManualDuplexAndDeviceFeatures) {
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.ManualDuplexPageOrder, 1u);
    EXPECT_EQ(settings.ManualDuplexUserRotate, 1u);  // neither rotate feature present
    EXPECT_EQ(settings.JpegMode, 0u);
    EXPECT_EQ(settings.Orientation, DMORIENT_PORTRAIT);

    device.SelectOption("KZOrientRotate180", "TRUE");
    device.SelectOption("KZManualDuplexPageOrder", "oddpagesfirst");
    device.SelectOption("KZManualDuplexDialogModel", "Modal");
    device.SelectOption("DeviceIsMopier", "Installed");
    device.SelectOption("JPEGEnable", "Best");
    device.SelectOption("KZOutputOrderReverse", "TRUE");
    device.SelectOption("KZPCL6PassThrough", "Anything");
    device.SelectOption("KZSmartDuplexOddPageJob", "TRUE");
    settings.ManualDuplexActive = 1;
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.ManualDuplexUserRotate, 0u);
    EXPECT_EQ(settings.ManualDuplexPageOrder, 0u);
    EXPECT_EQ(settings.ManualDuplexModal, 1u);
    EXPECT_EQ(settings.MopierInstalled, 1u);
    EXPECT_EQ(settings.JpegMode, 2u);
    EXPECT_EQ(settings.OutputOrderReverse, 1u);
    EXPECT_EQ(settings.Pcl6PassThrough, 1u);
    EXPECT_EQ(settings.SmartDuplexOddPageJob, 1u);
    EXPECT_EQ(settings.SmartDuplexSinglePageJob, 0u);
    EXPECT_EQ(settings.ManualDuplexActive, 0u);

    device.SelectOption("KZManualDuplexPageRotate", "UserRotate");
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.ManualDuplexUserRotate, 1u);
}

TEST_F(JobSettingsTest, AlternateLetterheadNeedsTheDriversSpoolPathOnlyWithADuplexUnit) {
    device.SelectOption("AlternateLetterHead", "TRUE");
    devmode().SpoolPath = kSpoolPathRawOnly;
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.AlternateLetterheadEnabled, 1u);
    device.SelectOption("DuplexUnit", "INSTALLED");
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.AlternateLetterheadEnabled, 0u);
    devmode().SpoolPath = kSpoolPathDriverEmf;
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.AlternateLetterheadEnabled, 1u);
    device.SelectOption("DuplexUnit", "NOTINSTALLED");
    ASSERT_TRUE(ReadDevice());
    EXPECT_EQ(settings.AlternateLetterheadEnabled, 0u);
}

TEST_F(JobSettingsTest, NoPublicDevmodeIsInvalidData) {
    device.devobj()->pPublicDM = nullptr;
    SetLastError(0);
    EXPECT_FALSE(ReadDevice());
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
}

TEST(PagesPerSheet, NupCodesAndTheSimplexSingleLayout) {
    const DWORD expected[] = {1, 1, 2, 4, 6, 9, 16, 16, 1};
    for (DWORD code = 0; code < std::size(expected); ++code) {
        EXPECT_EQ(PagesPerSheet(code), expected[code]) << code;
    }
    PrivateDevmode devmode{};
    JobSettings settings{};
    DEVMODEW simplex{};
    simplex.dmDuplex = DMDUP_SIMPLEX;
    devmode.NupOption = 3;
    EXPECT_EQ(EffectivePagesPerSheet(devmode, settings, &simplex), 4u);
    devmode.SimplexSingleLayout = 1;
    EXPECT_EQ(EffectivePagesPerSheet(devmode, settings, &simplex), 1u);
    settings.ManualDuplexActive = 1;
    EXPECT_EQ(EffectivePagesPerSheet(devmode, settings, &simplex), 4u);
    settings.ManualDuplexActive = 0;
    devmode.ManualDuplexSelected = 1;
    EXPECT_EQ(EffectivePagesPerSheet(devmode, settings, &simplex), 4u);
    devmode.ManualDuplexSelected = 0;
    simplex.dmDuplex = DMDUP_HORIZONTAL;
    EXPECT_EQ(EffectivePagesPerSheet(devmode, settings, &simplex), 4u);
}

TEST(CopyJobSettings, CarriesWhatTheNewContextDoesNotReadAgain) {
    JobSettings from{};
    from.TextAsBlackEnabled = 1;
    from.ManualDuplexActive = 1;
    from.Orientation = DMORIENT_LANDSCAPE;
    from.AlternateLetterheadEnabled = 1;
    from.PjlEncodingKind = 3;
    from.JpegMode = 2;
    from.MarginX = 7;
    JobSettings to{};
    to.PjlEncodingKind = 1;
    CopyJobSettings(from, to);
    EXPECT_EQ(to.TextAsBlackEnabled, 1u);
    EXPECT_EQ(to.ManualDuplexActive, 1u);
    EXPECT_EQ(to.Orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(to.AlternateLetterheadEnabled, 1u);
    EXPECT_EQ(to.PjlEncodingKind, 1u);
    EXPECT_EQ(to.JpegMode, 0u);
    EXPECT_EQ(to.MarginX, 0u);
}

class DeviceStateSettingsTest : public JobSettingsTest {
protected:
    HRESULT Enable(sim::unidrv::Device& target, PDEVOEM& pdev) {
        return EnableDeviceState(target.devobj(), &helper, &gdi, &noHooks, &pdev);
    }
    DRVENABLEDATA noHooks{};
};

TEST_F(DeviceStateSettingsTest, EnablePdevReadsSettingsAndResetCarriesThem) {
    device.SelectOption("TextAsBlack", "TRUE");
    device.SelectOption("KZPJLEncoding", "8bitEncoding");
    device.SelectOption("KZPrinterCode", "KZR3150");
    device.SelectOption("KZEmulateLumisetMargins", "TRUE");
    PDEVOEM first = nullptr;
    ASSERT_EQ(Enable(device, first), S_OK);
    const auto& firstSettings = static_cast<OemPdev*>(first)->JobSettings;
    EXPECT_EQ(firstSettings.TextAsBlackEnabled, 1u);
    EXPECT_EQ(firstSettings.PjlEncodingKind, 3u);
    EXPECT_EQ(devmode().PrinterCode, 3u);
    EXPECT_EQ(gdi.ulHorzRes, 4900u);

    sim::unidrv::Device next(kPrivateDevmodeSize);
    PDEVOEM second = nullptr;
    ASSERT_EQ(EnableDeviceState(next.devobj(), &helper, &gdi, &noHooks, &second), S_OK);
    CarryOverDeviceState(device.devobj(), next.devobj());
    const auto& secondSettings = static_cast<OemPdev*>(second)->JobSettings;
    EXPECT_EQ(secondSettings.TextAsBlackEnabled, 1u);
    EXPECT_EQ(secondSettings.PjlEncodingKind, 0u);  // read by the new context, which has none
    DisableDeviceState(device.devobj());
    DisableDeviceState(next.devobj());
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

TEST_F(DeviceStateSettingsTest, EnablePdevFailsWithoutAPublicDevmode) {
    device.devobj()->pPublicDM = nullptr;
    PDEVOEM pdev = nullptr;
    SetLastError(0);
    EXPECT_EQ(Enable(device, pdev), E_FAIL);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(device.devobj()->pdevOEM, nullptr);
    EXPECT_EQ(sim::LiveHeapBlocks(), 0u);
}

}  // namespace
}  // namespace xlrender
