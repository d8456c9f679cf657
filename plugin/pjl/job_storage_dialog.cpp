#include "pjl/job_storage_dialog.h"

#include <cstring>
#include <iterator>

#include "pjl/event_dialog.h"
#include "pjl/hold_commands.h"
#include "pjl/job_storage_flag.h"
#include "pjl/pjl_filter.h"
#include "platform/text.h"
#include "settings/private_devmode.h"

namespace xlrender {
namespace {

// The caller's buffer need not be aligned: every field is copied in by bytes.
template <typename Field>
void PutField(void* output, std::size_t offset, const Field& value) {
    std::memcpy(static_cast<BYTE*>(output) + offset, &value, sizeof value);
}

void PutName(void* output, std::size_t offset, const WCHAR* text, std::size_t textUnits) {
    WCHAR name[kStoredJobNameUnits] = {};
    CopyText(name, kStoredJobNameUnits, text, textUnits);
    PutField(output, offset, name);
}

// A user name the printer cannot take (empty, or nothing left after filtering) becomes
// "UNTITLED" in the devmode itself, so that the dialog shows what the job will be stored as.
void EnsureUserName(PrivateDevmode& devmode, DWORD encodingIndex) {
    WCHAR filtered[sizeof(PrivateDevmode::Carried758) / sizeof(WCHAR)] = {};
    CopyText(filtered, std::size(filtered), devmode.Carried758, std::size(devmode.Carried758));
    FilterPjlString(filtered, encodingIndex, std::size(filtered));
    if (filtered[0] == 0) {
        CopyText(devmode.Carried758, std::size(devmode.Carried758), kUntitledName);
    }
}

}  // namespace

ULONG GetJobStorageDialogData(DEVOBJ* pdevobj, const JobSettings& settings,
                              DWORD& jobStorageDialogShown, void* output, ULONG outputBytes) {
    if (pdevobj == nullptr || pdevobj->pOEMDM == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return 0;
    }
    if (output == nullptr || outputBytes < sizeof(JobStorageDialogData)) {
        return 0;
    }
    auto& devmode = *static_cast<PrivateDevmode*>(pdevobj->pOEMDM);
    EnsureUserName(devmode, settings.PjlEncodingKind);
    const bool flagSet = ReadShowJobStorageFlag(pdevobj->hPrinter);

    DWORD show = 0;
    if (devmode.JobRetentionInstalled != 0 && jobStorageDialogShown == 0 &&
        devmode.JobStorageMode != kJobStorageOff && flagSet) {
        jobStorageDialogShown = 1;
        show = 1;
        PutField(output, offsetof(JobStorageDialogData, UseJobNameOverride),
                 devmode.UseJobNameOverride);
        PutName(output, offsetof(JobStorageDialogData, UserName), devmode.Carried758,
                std::size(devmode.Carried758));
        PutName(output, offsetof(JobStorageDialogData, JobName), devmode.JobNameOverride,
                std::size(devmode.JobNameOverride));
        PutField(output, offsetof(JobStorageDialogData, PjlEncodingKind), settings.PjlEncodingKind);
        if (devmode.DuplicateJobCheck != 0) {
            PutField(output, offsetof(JobStorageDialogData, DuplicateJobCheck), DWORD{1});
            PutField(output, offsetof(JobStorageDialogData, DuplicateJobAppend),
                     DWORD{devmode.DuplicateJobAppend == 1 ? 1u : 0u});
        }
    }
    PutField(output, offsetof(JobStorageDialogData, ShowDialog), show);

    if (settings.ManualDuplexModal == 0) {
        // The dialog block has no reserved bytes: it is written whole.
        VDisplayDialogRecord record{};
        BuildDisplayDialogRecord(pdevobj->hPrinter, devmode, settings, record);
        PutField(output, offsetof(JobStorageDialogData, Dialog), record);
    }
    return 1;
}

}  // namespace xlrender
