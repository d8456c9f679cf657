// DrvEscape: the escapes the plug-in answers; every other one goes to Unidrv unchanged.
#include "frame/ddi_hooks.h"
#include "frame/escape_answers.h"
#include "frame/escape_blocks.h"
#include "frame/hook_context.h"

namespace xlrender {

ULONG APIENTRY DrvEscape(SURFOBJ* pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut,
                         PVOID pvOut) {
    DEVOBJ* device = DeviceOf(pso);
    PrivateDevmode* devmode = PrivateDevmodeOf(device);
    OemPdev* pdev = OemPdevOf(device);
    if (devmode == nullptr || pdev == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return 0;
    }
    const EscapeRequest request{device, *pdev, *devmode, cjIn, pvIn, cjOut, pvOut};
    switch (iEsc) {
        case QUERYESCSUPPORT:
            if (const std::optional<ULONG> answer = AnswerQueryEscapeSupport(request)) {
                return *answer;
            }
            break;
        case PASSTHROUGH:
            return AnswerPassThrough(request);
        case kEscapeTechnology:
            return AnswerTechnology(request);
        case kEscapeSettingsSnapshot:
            return AnswerSettingsSnapshot(request);
        case kEscapePrintableArea:
            return AnswerPrintableArea(request);
        case kEscapeEventDialog:
            return AnswerEventDialog(request);
        case kEscapePageLayout:
            return AnswerPageLayout(request);
        case kEscapeJobStorageDialog:
            return AnswerJobStorageDialog(request);
        default:
            break;
    }
    return CallUnidrv<DdiEscape*>(device, kHookEscape, pso, iEsc, cjIn, pvIn, cjOut, pvOut);
}

}  // namespace xlrender
