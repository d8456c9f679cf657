// The document hooks and the start of each page: job identity, the spool data type, the page
// count and the colour mode of the first page.
#include "fonts/watermark_font_state.h"
#include "frame/ddi_hooks.h"
#include "frame/hook_context.h"
#include "pjl/job_storage_names.h"
#include "platform/memory.h"
#include "platform/text.h"
#include "settings/feature_option.h"
#include "settings/printer_queries.h"
#include "settings/private_devmode.h"

namespace xlrender {
namespace {

// One question to the spooler per call: a failed query leaves the type unknown, to be asked
// again at the next document, instead of asking for ever.
JobDataTypeKind QueryJobDataType(HANDLE printer, DWORD jobId) {
    JOB_INFO_2W* job = nullptr;
    if (!GetJobInfo2(printer, jobId, job)) {
        return kJobDataTypeUnknown;
    }
    const OwnedBlock owner(job);
    return job->pDatatype != nullptr && EqualNoCase(job->pDatatype, W("RAW"))
               ? kJobDataTypeRaw
               : kJobDataTypeJournaled;
}

void NoteFirstPageColourMode(DEVOBJ* device, const PrivateDevmode& devmode, OemPdev& pdev) {
    if (devmode.SpoolPath != kSpoolPathDriverEmf || pdev.JobDataType == kJobDataTypeRaw ||
        pdev.PageCount != 1) {
        return;
    }
    const FeatureReading colourMode({device, pdev.DriverHelper}, W("ColorMode"));
    if (colourMode.present()) {
        pdev.PageColourMode = colourMode.Is(W("Mono")) ? kPageColourMono : kPageColourOther;
    }
}

}  // namespace

BOOL APIENTRY DrvStartDoc(SURFOBJ* pso, LPWSTR pwszDocName, DWORD dwJobId) {
    DEVOBJ* device = DeviceOf(pso);
    if (PrivateDevmodeOf(device) == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    OemPdev* pdev = OemPdevOf(device);
    if (pdev != nullptr) {
        // A new document is a new printer session: the soft fonts of the last one are gone.
        ForgetWatermarkFonts(pdev->WatermarkFonts);
        if (dwJobId != 0) {
            pdev->JobId = dwJobId;
        }
        if (pwszDocName != nullptr) {
            CopyText(pdev->DocName, kDocNameUnits, pwszDocName);
            SetJobStorageNames(device, pdev->JobId, pdev->JobSettings.PjlEncodingKind,
                               pwszDocName, pdev->JobStorageUserName, pdev->JobStorageJobName);
        }
        if (pdev->JobDataType == kJobDataTypeUnknown && device->hPrinter != nullptr) {
            pdev->JobDataType = QueryJobDataType(device->hPrinter, dwJobId);
        }
    }
    return CallUnidrv<DdiStartDoc*>(device, kHookStartDoc, pso, pwszDocName, dwJobId);
}

BOOL APIENTRY DrvEndDoc(SURFOBJ* pso, FLONG fl) {
    DEVOBJ* device = DeviceOf(pso);
    if (PrivateDevmodeOf(device) == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    return CallUnidrv<DdiEndDoc*>(device, kHookEndDoc, pso, fl);
}

BOOL APIENTRY DrvStartPage(SURFOBJ* pso) {
    DEVOBJ* device = DeviceOf(pso);
    const PrivateDevmode* devmode = PrivateDevmodeOf(device);
    if (devmode == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    OemPdev* pdev = OemPdevOf(device);
    if (pdev != nullptr) {
        ForgetKeptJpegs(pdev->JpegReuse);  // in case the last page ended without its hook
        ++pdev->PageCount;
        NoteFirstPageColourMode(device, *devmode, *pdev);
    }
    return CallUnidrv<DdiStartPage*>(device, kHookStartPage, pso);
}

BOOL APIENTRY DrvStartBanding(SURFOBJ* pso, POINTL* pptl) {
    return CallUnidrv<DdiStartBanding*>(DeviceOf(pso), kHookStartBanding, pso, pptl);
}

}  // namespace xlrender
