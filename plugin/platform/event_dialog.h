// The record the driver's event module takes in its VDisplayDialog entry point, which shows the
// manual-duplex dialog. The entry takes the whole record by value: calling it through a
// pointer type with any other parameter would hand it garbage, so this is the one type it is
// ever called through.
#pragma once

#include <cstddef>
#include <type_traits>

#include "platform/win32_api.h"

namespace xlrender {

constexpr int kDialogPathUnits = 256;
constexpr int kManualDuplexDialogValues = 6;

struct VDisplayDialogRecord {
    WCHAR JobStorageModulePath[kDialogPathUnits];  // full path of the job-storage module
    WCHAR LanguageFile[kDialogPathUnits];          // the driver's language resource file
    DWORD ManualDuplexValues[kManualDuplexDialogValues];
    DWORD ManualDuplexEnabled;
    DWORD ManualDuplexModal;
    DWORD ManualDuplexPageOrder;
};

static_assert(sizeof(VDisplayDialogRecord) == 1060);
static_assert(alignof(VDisplayDialogRecord) == 4);
static_assert(std::is_standard_layout_v<VDisplayDialogRecord>);
static_assert(std::is_trivially_copyable_v<VDisplayDialogRecord>);
static_assert(offsetof(VDisplayDialogRecord, JobStorageModulePath) == 0);
static_assert(offsetof(VDisplayDialogRecord, LanguageFile) == 512);
static_assert(offsetof(VDisplayDialogRecord, ManualDuplexValues) == 1024);
static_assert(offsetof(VDisplayDialogRecord, ManualDuplexEnabled) == 1048);
static_assert(offsetof(VDisplayDialogRecord, ManualDuplexModal) == 1052);
static_assert(offsetof(VDisplayDialogRecord, ManualDuplexPageOrder) == 1056);

using PFN_VDisplayDialog = void(WINAPI*)(VDisplayDialogRecord record);

}  // namespace xlrender
