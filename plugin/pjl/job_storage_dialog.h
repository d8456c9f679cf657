// What the user interface needs to show the job-storage dialog (and, with it, the
// manual-duplex dialog's record): the output record of escape 3900.
#pragma once

#include <cstddef>
#include <type_traits>

#include "pjl/job_name.h"
#include "platform/event_dialog.h"
#include "platform/win32_api.h"
#include "settings/job_settings.h"

namespace xlrender {

struct JobStorageDialogData {
    WCHAR UserName[kStoredJobNameUnits];  // terminated at unit 15
    WCHAR JobName[kStoredJobNameUnits];   // the typed job name, terminated at unit 15
    DWORD PjlEncodingKind;
    DWORD ShowDialog;
    DWORD UseJobNameOverride;
    DWORD DuplicateJobAppend;  // 1 append, 0 replace
    DWORD DuplicateJobCheck;
    VDisplayDialogRecord Dialog;
};

static_assert(sizeof(JobStorageDialogData) == 84 + 1060);
static_assert(alignof(JobStorageDialogData) == 4);
static_assert(std::is_standard_layout_v<JobStorageDialogData>);
static_assert(std::is_trivially_copyable_v<JobStorageDialogData>);
static_assert(offsetof(JobStorageDialogData, UserName) == 0);
static_assert(offsetof(JobStorageDialogData, JobName) == 32);
static_assert(offsetof(JobStorageDialogData, PjlEncodingKind) == 64);
static_assert(offsetof(JobStorageDialogData, ShowDialog) == 68);
static_assert(offsetof(JobStorageDialogData, UseJobNameOverride) == 72);
static_assert(offsetof(JobStorageDialogData, DuplicateJobAppend) == 76);
static_assert(offsetof(JobStorageDialogData, DuplicateJobCheck) == 80);
static_assert(offsetof(JobStorageDialogData, Dialog) == 84);

// Fills the caller's record `output` of `outputBytes` field by field; fields the settings do
// not call for keep what the caller's buffer holds. The dialog is offered once per device
// context (`jobStorageDialogShown`) and only when the user's "ShowJobStorageDlg" is set.
// Stores "UNTITLED" as the devmode's user name when it has none the printer could take.
// Returns 1; 0, writing nothing, when `output` is null or shorter than the record, and 0 with
// ERROR_INVALID_DATA without a private devmode.
ULONG GetJobStorageDialogData(DEVOBJ* pdevobj, const JobSettings& settings,
                              DWORD& jobStorageDialogShown, void* output, ULONG outputBytes);

}  // namespace xlrender
