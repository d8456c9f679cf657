#include "frame/device_state.h"

#include <cstring>

#include "frame/hook_table.h"
#include "frame/oem_pdev.h"
#include "platform/memory.h"
#include "settings/job_settings.h"

namespace xlrender {
namespace {

// For each of Unidrv's functions the plug-in passes through to, the first entry of Unidrv's
// table with the same DDI index wins; an index Unidrv does not list leaves the slot null.
void CaptureUnidrvHooks(const DRVENABLEDATA& unidrvFunctions, OemPdev& pdev) {
    const DRVFN* hooks = HookTable();
    for (std::size_t position = 0; position < kCapturedHookCount; ++position) {
        for (ULONG entry = 0; entry < unidrvFunctions.c; ++entry) {
            if (unidrvFunctions.pdrvfn[entry].iFunc == hooks[position].iFunc) {
                pdev.UnidrvHooks[position] = unidrvFunctions.pdrvfn[entry].pfn;
                break;
            }
        }
    }
}

HRESULT FailEnable(DEVOBJ* device, OemPdev* pdev, DWORD lastError) {
    if (lastError != ERROR_SUCCESS) {
        SetLastError(lastError);
    }
    // Unidrv calls no DisablePDEV after a failed EnablePDEV, so the block goes now.
    device->pdevOEM = nullptr;
    FreeBlock(pdev);
    return E_FAIL;
}

}  // namespace

HRESULT EnableDeviceState(DEVOBJ* device, IPrintOemDriverUni* helper, GDIINFO* gdiInfo,
                          const DRVENABLEDATA* unidrvFunctions, PDEVOEM* result) {
    if (device == nullptr || unidrvFunctions == nullptr ||
        (unidrvFunctions->c != 0 && unidrvFunctions->pdrvfn == nullptr) || result == nullptr) {
        return E_FAIL;
    }
    auto* pdev = static_cast<OemPdev*>(AllocateZeroed(sizeof(OemPdev)));
    device->pdevOEM = pdev;
    if (pdev == nullptr) {
        return E_FAIL;
    }
    if (device->pOEMDM == nullptr || helper == nullptr) {
        return FailEnable(device, pdev, ERROR_INVALID_DATA);
    }
    pdev->DriverHelper = helper;
    const FeatureSource features{device, helper};
    // Neither read is essential: a device context without them prints with their defaults.
    ReadDevmodeFeatures(features);
    ReadJobFeatures(features, pdev->JobSettings);
    CaptureUnidrvHooks(*unidrvFunctions, *pdev);
    pdev->PageCount = 0;
    pdev->JobDataType = kJobDataTypeUnknown;
    pdev->JobId = 0;
    // The manual-duplex dialog is offered once per device context.
    pdev->DuplexDialogPending = 1;
    if (!ReadDeviceFeatures(features, gdiInfo, pdev->JobSettings)) {
        return FailEnable(device, pdev, ERROR_SUCCESS);  // the reason is already set
    }
    pdev->WatermarkFonts.DeviceDpiY = gdiInfo->ulLogPixelsY;
    *result = pdev;
    return S_OK;
}

void CarryOverDeviceState(DEVOBJ* oldDevice, DEVOBJ* newDevice) {
    const OemPdev* from = oldDevice == nullptr ? nullptr : static_cast<OemPdev*>(oldDevice->pdevOEM);
    OemPdev* to = newDevice == nullptr ? nullptr : static_cast<OemPdev*>(newDevice->pdevOEM);
    if (from == nullptr || to == nullptr) {
        return;
    }
    to->PageCount = from->PageCount;
    to->JobDataType = from->JobDataType;
    to->JobId = from->JobId;
    std::memcpy(to->DocName, from->DocName, sizeof to->DocName);
    std::memcpy(to->JobStorageUserName, from->JobStorageUserName, sizeof to->JobStorageUserName);
    std::memcpy(to->JobStorageJobName, from->JobStorageJobName, sizeof to->JobStorageJobName);
    to->PageWatermarkState = from->PageWatermarkState;
    // The fonts the printer holds stay valid; the resolution is the new device context's.
    const WatermarkFontState fonts = to->WatermarkFonts;
    to->WatermarkFonts = from->WatermarkFonts;
    to->WatermarkFonts.DeviceDpiY = fonts.DeviceDpiY;
    CopyJobSettings(from->JobSettings, to->JobSettings);
}

void DisableDeviceState(DEVOBJ* device) {
    if (device != nullptr && device->pdevOEM != nullptr) {
        ForgetKeptJpegs(static_cast<OemPdev*>(device->pdevOEM)->JpegReuse);
        FreeBlock(device->pdevOEM);
        device->pdevOEM = nullptr;
    }
}

}  // namespace xlrender
