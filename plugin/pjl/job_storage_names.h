// The user and job name a stored job is kept under, fixed when the document starts.
#pragma once

#include "pjl/job_name.h"
#include "platform/win32_api.h"

namespace xlrender {

// Sets `userName` from the private devmode's job-storage user name ("UNTITLED" when empty)
// and, for a job-storage mode without a typed job name, `jobName` from the document name.
// Without a printer handle or a job id nothing changes. FALSE with ERROR_INVALID_DATA without
// a private devmode.
BOOL SetJobStorageNames(DEVOBJ* pdevobj, DWORD jobId, DWORD pjlEncodingKind, const WCHAR* docName,
                        WCHAR (&userName)[kStoredJobNameUnits],
                        WCHAR (&jobName)[kStoredJobNameUnits]);

}  // namespace xlrender
