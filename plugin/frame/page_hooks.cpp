// The hooks that end a sheet: the last DrvNextBand of banded output, DrvSendPage otherwise.
#include "frame/ddi_hooks.h"
#include "frame/hook_context.h"
#include "frame/page_end.h"
#include "xlstream/xl_operators.h"
#include "xlstream/xl_spool_flush.h"

namespace xlrender {
namespace {

// Unidrv sets the band origin to (-1, -1) once the sheet's last band is done.
bool SheetIsDone(const POINTL& bandOrigin) {
    return bandOrigin.x == -1 && bandOrigin.y == -1;
}

// Without a stream the plug-in cannot end the sheet it began. Unidrv still gets its call, but
// the hook fails the page: a sheet without its page end would reach the printer as a broken
// stream while the job reported success.
BOOL PageEndLost() {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
}

}  // namespace

BOOL APIENTRY DrvNextBand(SURFOBJ* pso, POINTL* pptl) {
    DEVOBJ* device = DeviceOf(pso);
    const PrivateDevmode* devmode = PrivateDevmodeOf(device);
    if (devmode == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    OemPdev* pdev = OemPdevOf(device);
    if (pdev == nullptr || pptl == nullptr) {
        return CallUnidrv<DdiNextBand*>(device, kHookNextBand, pso, pptl);
    }
    XlStream* stream = XlSpoolStreamCreate(device);
    if (stream == nullptr) {
        const BOOL result = CallUnidrv<DdiNextBand*>(device, kHookNextBand, pso, pptl);
        return SheetIsDone(*pptl) ? PageEndLost() : result;
    }
    const WORD copies = PageCopyCount({device, pdev->DriverHelper}, device->pPublicDM);
    const BOOL result = CallUnidrv<DdiNextBand*>(device, kHookNextBand, pso, pptl);
    if (SheetIsDone(*pptl)) {
        ForgetKeptJpegs(pdev->JpegReuse);
        if (IsPerSheetJob(*devmode, *pdev)) {
            FinishSheetWatermarks(stream, *device, *pdev, *devmode);
        }
        XlEndPageCopies(stream, copies);
    }
    XlStreamDestroy(stream);
    return result;
}

BOOL APIENTRY DrvSendPage(SURFOBJ* pso) {
    DEVOBJ* device = DeviceOf(pso);
    XlStream* stream = XlSpoolStreamCreate(device);
    const PrivateDevmode* devmode = PrivateDevmodeOf(device);
    OemPdev* pdev = OemPdevOf(device);
    if (pdev != nullptr) {
        ForgetKeptJpegs(pdev->JpegReuse);
    }
    if (devmode == nullptr || pdev == nullptr) {
        XlStreamDestroy(stream);
        return CallUnidrv<DdiSendPage*>(device, kHookSendPage, pso);
    }
    if (stream == nullptr) {
        CallUnidrv<DdiSendPage*>(device, kHookSendPage, pso);
        return PageEndLost();
    }
    BOOL result = FALSE;
    if (!IsPerSheetJob(*devmode, *pdev)) {
        result = CallUnidrv<DdiSendPage*>(device, kHookSendPage, pso);
        XlEndPage(stream);
    } else {
        const WORD copies = PageCopyCount({device, pdev->DriverHelper}, device->pPublicDM);
        result = CallUnidrv<DdiSendPage*>(device, kHookSendPage, pso);
        FinishSheetWatermarks(stream, *device, *pdev, *devmode);
        XlEndPageCopies(stream, copies);
    }
    XlStreamDestroy(stream);
    return result;
}

}  // namespace xlrender
