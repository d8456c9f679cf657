// The job-retention block of the job header: whether and how the printer keeps the job on its
// disk, under which user and job name, with which PIN, and what happens to a stored job of the
// same name.
#pragma once

#include "pjl/job_name.h"
#include "pjl/pjl_lines.h"
#include "platform/win32_api.h"
#include "settings/private_devmode.h"

namespace xlrender {

// JobStorageMode of the private devmode.
enum JobStorageModeKind : DWORD {
    kJobStorageOff = 0,
    kJobStorageProofAndHold = 1,
    kJobStoragePrivate = 2,
    kJobStorageQuickCopy = 3,
    kJobStorageStored = 4,
};

// The longest PIN text in bytes.
constexpr std::size_t kStorePinBytes = 9;
// The longest user or job name in bytes.
constexpr std::size_t kStoredNameBytes = 50;

// Builds the block for the devmode's job-storage settings into `lines` (cleared first). Leaves
// it empty for an unknown mode and when an existing job of the same name is to be kept.
// `userName` and `jobName` are the names fixed when the document started.
void BuildHoldCommands(const PrivateDevmode& devmode, const WCHAR* userName, const WCHAR* jobName,
                       PjlLines& lines);

// Writes the block once per device context: nothing unless job retention is installed and
// `holdCommandsSent` is still clear, which it then sets. FALSE with ERROR_INVALID_DATA without
// a private devmode, and FALSE when the spool write fails.
BOOL WriteHoldCommands(DEVOBJ* pdevobj, IPrintOemDriverUni* helper, const WCHAR* userName,
                       const WCHAR* jobName, DWORD& holdCommandsSent);

}  // namespace xlrender
