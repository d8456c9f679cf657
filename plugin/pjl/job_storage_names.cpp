#include "pjl/job_storage_names.h"

#include <iterator>

#include "pjl/hold_commands.h"
#include "pjl/pjl_filter.h"
#include "platform/text.h"
#include "settings/private_devmode.h"

namespace xlrender {

BOOL SetJobStorageNames(DEVOBJ* pdevobj, DWORD jobId, DWORD pjlEncodingKind, const WCHAR* docName,
                        WCHAR (&userName)[kStoredJobNameUnits],
                        WCHAR (&jobName)[kStoredJobNameUnits]) {
    if (pdevobj == nullptr || pdevobj->pOEMDM == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (pdevobj->hPrinter == nullptr || jobId == 0) {
        return TRUE;
    }
    const auto& devmode = *static_cast<const PrivateDevmode*>(pdevobj->pOEMDM);
    const bool typedJobName = devmode.UseJobNameOverride != 0;
    // The devmode's job-storage user name (0x758) need not be terminated within its field.
    CopyText(userName, kStoredJobNameUnits, devmode.Carried758, std::size(devmode.Carried758));
    if (!typedJobName) {
        FilterPjlString(userName, pjlEncodingKind, kStoredJobNameUnits);
    }
    if (userName[0] == 0) {
        CopyText(userName, kStoredJobNameUnits, kUntitledName);
    }
    if (devmode.JobStorageMode != kJobStorageOff && !typedJobName) {
        JobNameFromDocument(pdevobj->hPrinter, jobId, docName, jobName, pjlEncodingKind);
    }
    return TRUE;
}

}  // namespace xlrender
