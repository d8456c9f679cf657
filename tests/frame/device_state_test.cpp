// EnablePDEV, ResetPDEV and DisablePDEV: allocation, checks, hook capture and carry-over.
#include <gtest/gtest.h>

#include "frame/oem_pdev.h"
#include "settings/devmode_identity.h"
#include "support/plugin_fixture.h"
#include "world.h"

namespace xlrender {
namespace {

using sim::unidrv::Device;

class DeviceState : public testing::PluginTest {
protected:
    static OemPdev& PdevOf(Device& device) {
        return *static_cast<OemPdev*>(device.devobj()->pdevOEM);
    }
};

TEST_F(DeviceState, EnableCapturesUnidrvsFunctionsByPosition) {
    Device device(kPrivateDevmodeSize);
    gdiInfo.ulLogPixelsX = 600;
    gdiInfo.ulLogPixelsY = 1200;
    EnableOrFail(device);
    OemPdev& pdev = PdevOf(device);
    // The recording table lists the hooks in the plug-in's own order, so slot i is entry i.
    for (std::size_t i = 0; i < kCapturedHookCount; ++i) {
        EXPECT_EQ(pdev.UnidrvHooks[i], unidrvTable[i].pfn) << "position " << i;
    }
    EXPECT_EQ(pdev.DriverHelper, static_cast<IPrintOemDriverUni*>(&helper));
    EXPECT_EQ(pdev.DuplexDialogPending, 1u);
    EXPECT_EQ(pdev.PageCount, 0);
    EXPECT_EQ(pdev.WatermarkFonts.WmFontDownloaded, 0u);
    EXPECT_EQ(pdev.WatermarkFonts.DeviceDpiY, 1200u) << "the vertical device resolution";
    plugin->DisablePDEV(device.devobj());
}

TEST_F(DeviceState, MissingIndexLeavesItsSlotNullAndTheFirstDuplicateWins) {
    // Unidrv's table in another order, without DrvStartBanding, and with DrvStartDoc twice.
    std::vector<DRVFN> shuffled(unidrvTable.rbegin(), unidrvTable.rend());
    std::erase_if(shuffled, [](const DRVFN& entry) { return entry.iFunc == INDEX_DrvStartBanding; });
    const PFN secondStartDoc = unidrvTable[kHookEndDoc].pfn;
    shuffled.push_back({INDEX_DrvStartDoc, secondStartDoc});
    unidrvFunctions = {PRINTER_OEMINTF_VERSION, static_cast<ULONG>(shuffled.size()),
                       shuffled.data()};

    Device device(kPrivateDevmodeSize);
    EnableOrFail(device);
    OemPdev& pdev = PdevOf(device);
    EXPECT_EQ(pdev.UnidrvHooks[kHookStartBanding], nullptr);
    EXPECT_EQ(pdev.UnidrvHooks[kHookStartDoc], unidrvTable[kHookStartDoc].pfn);
    EXPECT_EQ(pdev.UnidrvHooks[kHookNextBand], unidrvTable[kHookNextBand].pfn);
    plugin->DisablePDEV(device.devobj());
}

TEST_F(DeviceState, EnableBeforePublishFailsWithInvalidDataAndLeavesNothing) {
    IPrintOemUni* fresh = testing::CreatePluginObject();
    Device device(kPrivateDevmodeSize);
    const std::size_t blocksBefore = sim::LiveHeapBlocks();
    PDEVOEM result = reinterpret_cast<PDEVOEM>(0x1);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(fresh->EnablePDEV(device.devobj(), nullptr, 0, nullptr, sizeof gdiInfo, &gdiInfo,
                                sizeof devInfo, &devInfo, &unidrvFunctions, &result),
              E_FAIL);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(device.devobj()->pdevOEM, nullptr);
    EXPECT_EQ(sim::LiveHeapBlocks(), blocksBefore);
    fresh->Release();
}

TEST_F(DeviceState, EnableWithoutPrivateDevmodeFailsWithInvalidData) {
    Device device(0);
    const std::size_t blocksBefore = sim::LiveHeapBlocks();
    PDEVOEM result = nullptr;
    EXPECT_EQ(Enable(device, result), E_FAIL);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(device.devobj()->pdevOEM, nullptr);
    EXPECT_EQ(sim::LiveHeapBlocks(), blocksBefore);
}

TEST_F(DeviceState, EnableRefusesMissingArgumentsAndAllocationFailure) {
    Device device(kPrivateDevmodeSize);
    PDEVOEM result = nullptr;
    EXPECT_EQ(plugin->EnablePDEV(nullptr, nullptr, 0, nullptr, 0, &gdiInfo, 0, &devInfo,
                                 &unidrvFunctions, &result),
              E_FAIL);
    EXPECT_EQ(plugin->EnablePDEV(device.devobj(), nullptr, 0, nullptr, 0, &gdiInfo, 0, &devInfo,
                                 nullptr, &result),
              E_FAIL);
    EXPECT_EQ(plugin->EnablePDEV(device.devobj(), nullptr, 0, nullptr, 0, &gdiInfo, 0, &devInfo,
                                 &unidrvFunctions, nullptr),
              E_FAIL);
    sim::TheWorld().heap.failAfter = 1;
    EXPECT_EQ(Enable(device, result), E_FAIL);
    EXPECT_EQ(device.devobj()->pdevOEM, nullptr);
}

TEST_F(DeviceState, ResetCarriesTheFrameStateButKeepsTheNewHooksAndHelper) {
    Device oldDevice(kPrivateDevmodeSize);
    Device newDevice(kPrivateDevmodeSize);
    EnableOrFail(oldDevice);
    OemPdev& from = PdevOf(oldDevice);
    from.PageCount = 4;
    from.JobDataType = kJobDataTypeRaw;
    from.JobId = 42;
    from.DocName[0] = u'D';
    from.JobStorageUserName[0] = u'U';
    from.JobStorageJobName[0] = u'J';
    from.PageWatermarkState.LastPageNumber = 9;
    from.PageWatermarkState.Slots[15].PageOrientation = DMORIENT_LANDSCAPE;
    from.PageColourMode = 2;
    from.WatermarkFonts.WmFontDownloaded = 1;
    from.WatermarkFonts.WmBitmapFonts[3].orientation = DMORIENT_LANDSCAPE;
    from.WatermarkFonts.DeviceDpiY = 1;

    std::vector<DRVFN> otherTable = sim::unidrv::RecordingFunctionTable();
    otherTable.erase(otherTable.begin());  // no DrvCopyBits for the new device context
    unidrvFunctions = {PRINTER_OEMINTF_VERSION, static_cast<ULONG>(otherTable.size()),
                       otherTable.data()};
    EnableOrFail(newDevice);
    EXPECT_EQ(plugin->ResetPDEV(oldDevice.devobj(), newDevice.devobj()), S_OK);

    const OemPdev& to = PdevOf(newDevice);
    EXPECT_EQ(to.PageCount, 4);
    EXPECT_EQ(to.JobDataType, kJobDataTypeRaw);
    EXPECT_EQ(to.JobId, 42u);
    EXPECT_EQ(to.DocName[0], u'D');
    EXPECT_EQ(to.JobStorageUserName[0], u'U');
    EXPECT_EQ(to.JobStorageJobName[0], u'J');
    EXPECT_EQ(to.PageWatermarkState.LastPageNumber, 9u);
    EXPECT_EQ(to.PageWatermarkState.Slots[15].PageOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(to.PageColourMode, 0u) << "the colour mode of the first page is not carried";
    EXPECT_EQ(to.WatermarkFonts.WmFontDownloaded, 1u) << "the printer still holds the fonts";
    EXPECT_EQ(to.WatermarkFonts.WmBitmapFonts[3].orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(to.WatermarkFonts.DeviceDpiY, gdiInfo.ulLogPixelsY);
    EXPECT_EQ(to.UnidrvHooks[kHookCopyBits], nullptr);
    EXPECT_EQ(to.DriverHelper, from.DriverHelper);

    plugin->DisablePDEV(oldDevice.devobj());
    plugin->DisablePDEV(newDevice.devobj());
}

TEST_F(DeviceState, ResetWithAMissingSideCopiesNothingAndAnswersOk) {
    Device device(kPrivateDevmodeSize);
    EnableOrFail(device);
    PdevOf(device).PageCount = 3;
    EXPECT_EQ(plugin->ResetPDEV(nullptr, device.devobj()), S_OK);
    EXPECT_EQ(plugin->ResetPDEV(device.devobj(), nullptr), S_OK);
    EXPECT_EQ(PdevOf(device).PageCount, 3);
    plugin->DisablePDEV(device.devobj());
}

TEST_F(DeviceState, DisableFreesTheStateOnceAndToleratesNull) {
    Device device(kPrivateDevmodeSize);
    const std::size_t blocksBefore = sim::LiveHeapBlocks();
    EnableOrFail(device);
    EXPECT_EQ(sim::LiveHeapBlocks(), blocksBefore + 1);
    EXPECT_EQ(plugin->DisablePDEV(device.devobj()), S_OK);
    EXPECT_EQ(sim::LiveHeapBlocks(), blocksBefore);
    EXPECT_EQ(plugin->DisablePDEV(device.devobj()), S_OK);
    EXPECT_EQ(plugin->DisablePDEV(nullptr), S_OK);
}

}  // namespace
}  // namespace xlrender
