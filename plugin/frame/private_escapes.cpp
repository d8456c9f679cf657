// The private escapes of the driver's user interface and print processor. Output blocks are
// written only when the caller's buffer holds the whole block.
#include <cstring>

#include "fonts/page_watermark_state.h"
#include "frame/escape_answers.h"
#include "frame/escape_blocks.h"
#include "frame/settings_snapshot.h"
#include "pjl/event_dialog.h"
#include "pjl/job_storage_dialog.h"
#include "settings/paper_checks.h"

namespace xlrender {
namespace {

bool OutputHolds(const EscapeRequest& request, ULONG bytes) {
    return request.pvOut != nullptr && request.cjOut >= bytes;
}

// The user interface shows, and job storage decides on, the duplex mode the paper allows.
void CheckPaperForDuplex(const EscapeRequest& request) {
    CheckDuplexPaper(request.pdev.JobSettings, request.devmode, request.device->pPublicDM,
                     request.device->hPrinter);
}

}  // namespace

ULONG AnswerSettingsSnapshot(const EscapeRequest& request) {
    if (!OutputHolds(request, kSettingsSnapshotBytes)) {
        return 0;
    }
    CheckPaperForDuplex(request);
    FillSettingsSnapshot(request.pvOut, request.devmode, request.pdev.JobSettings);
    return 1;
}

ULONG AnswerPrintableArea(const EscapeRequest& request) {
    if (!OutputHolds(request, kPrintableAreaBytes)) {
        return 0;
    }
    const JobSettings& settings = request.pdev.JobSettings;
    const PrintableArea area{settings.PrintableWidth, settings.PrintableHeight, settings.MarginX,
                             settings.MarginY};
    std::memcpy(request.pvOut, &area, sizeof area);
    return 1;
}

ULONG AnswerPageLayout(const EscapeRequest& request) {
    if (request.pvIn != nullptr && request.cjIn == kPageLayoutBlockBytes) {
        LoadPageWatermarkState(request.pvIn, PagesPerSheet(request.devmode.NupOption),
                               request.pdev.PageWatermarkState);
    }
    return 1;
}

ULONG AnswerJobStorageDialog(const EscapeRequest& request) {
    if (request.cjOut == 0 || request.pvOut == nullptr) {
        return 1;
    }
    if (request.cjOut < sizeof(JobStorageDialogData)) {
        return 0;
    }
    CheckPaperForDuplex(request);
    return GetJobStorageDialogData(request.device, request.pdev.JobSettings,
                                   request.pdev.JobStorageDialogShown, request.pvOut,
                                   request.cjOut);
}

ULONG AnswerEventDialog(const EscapeRequest& request) {
    return ShowEventDialog(request.device, request.pdev.JobSettings,
                           request.pdev.DuplexDialogPending, request.pvIn, request.cjIn);
}

}  // namespace xlrender
