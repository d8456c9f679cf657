#include "frame/page_end.h"

#include "fonts/page_watermark_state.h"
#include "fonts/watermark_drawing.h"
#include "fonts/watermark_slots.h"
#include "host/unidrv_host.h"

namespace xlrender {
namespace {

constexpr LONG kMaxPageCopies = 0xFFFF;

}  // namespace

WORD PageCopyCount(const FeatureSource& source, const DEVMODEW* publicDevmode) {
    const FeatureReading mopier(source, W("DeviceIsMopier"));
    bool unidrvCounts = false;
    if (mopier.Is(W("NOTINSTALLED"))) {
        unidrvCounts = true;
    } else if (!mopier.present() || mopier.Is(W("INSTALLED"))) {
        // A mopier makes collated copies itself; uncollated copies are the printer's.
        unidrvCounts = publicDevmode != nullptr && publicDevmode->dmCollate == DMCOLLATE_FALSE;
    }
    LONG copies = 1;
    if (!unidrvCounts ||
        !QueryStandardVariable(source.device, source.helper, SVI_COPIES, &copies, sizeof copies)) {
        return 1;
    }
    if (copies < 1) {
        return 1;
    }
    return static_cast<WORD>(copies > kMaxPageCopies ? kMaxPageCopies : copies);
}

bool IsPerSheetJob(const PrivateDevmode& devmode, const OemPdev& pdev) {
    return devmode.SpoolPath == kSpoolPathDriverEmf && pdev.JobDataType != kJobDataTypeRaw;
}

void FinishSheetWatermarks(XlStream* stream, const DEVOBJ& device, OemPdev& pdev,
                           const PrivateDevmode& devmode) {
    if (devmode.WatermarkEnabled != 1) {
        return;
    }
    const WatermarkRequest request{devmode, pdev.JobSettings, device.pPublicDM,
                                   pdev.PageWatermarkState, pdev.WatermarkFonts};
    const WatermarkSlots slots =
        SelectWatermarkSlots(devmode, pdev.JobSettings, device.pPublicDM, pdev.PageWatermarkState,
                             pdev.JobDataType == kJobDataTypeJournaled);
    for (DWORD slot : slots) {
        DrawWatermark(stream, request, slot);
    }
    ClearPageWatermarkState(pdev.PageWatermarkState);
}

}  // namespace xlrender
