#include "frame/page_end.h"

#include "fonts/page_watermark_state.h"
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

void FinishSheetWatermarks(OemPdev& pdev, const PrivateDevmode& devmode) {
    if (devmode.WatermarkEnabled == 1) {
        ClearPageWatermarkState(pdev.PageWatermarkState);
    }
}

}  // namespace xlrender
