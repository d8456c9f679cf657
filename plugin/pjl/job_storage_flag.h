// The per-user switch that lets the job-storage dialog be shown.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// Whether the current user's "ShowJobStorageDlg" value is set. The key is named by the
// printer's "KZRestrictedUserGuid" value; a user without the value gets it, set, on first use.
// Clear when the printer names no key (or names more than one key: a path, ".."), when the
// key cannot be opened and read, when the value is empty and when memory is short.
bool ReadShowJobStorageFlag(HANDLE printer);

}  // namespace xlrender
