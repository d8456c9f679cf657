// The plug-in's calls into Unidrv: spool writes, standard variables and GPD feature settings.
// They take the device object and the helper interface explicitly so that every subsystem can
// use them without knowing the plug-in's per-device state.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// Size of the option keyword buffer handed to DrvGetDriverSetting.
constexpr DWORD kDriverSettingBytes = 256;

// Writes `count` bytes through DRVPROCS position 0. When Unidrv accepts only part of the
// bytes, the remainder is written again. Returns how many bytes Unidrv accepted, from the
// front: `count` when everything went out, fewer (maybe 0) when a write accepted nothing, so
// that a caller can keep exactly the bytes that did not go out and never send one twice.
DWORD WriteSpoolBytes(DEVOBJ* device, const void* bytes, DWORD count);

// Writes `text` without its terminator through the helper interface's DrvWriteSpoolBuf, the
// remainder again after a short write as WriteSpoolBytes does; TRUE only when Unidrv accepted
// the whole text.
BOOL WritePjlString(DEVOBJ* device, IPrintOemDriverUni* helper, const char* text);

// Reads a Unidrv standard variable: through the helper interface when there is one (success
// is a non-negative HRESULT), else through DRVPROCS position 4 (success is a non-zero BOOL).
BOOL QueryStandardVariable(DEVOBJ* device, IPrintOemDriverUni* helper, DWORD index,
                           void* buffer, DWORD size);

// Reads the selected option keyword of GPD feature `feature` (8-bit). The output is preset to
// the empty string and always terminated; empty means the feature is absent or has no option.
// The helper's result code is not examined: Unidrv reports absence through the empty text.
void ReadDriverSetting(DEVOBJ* device, IPrintOemDriverUni* helper, const char* feature,
                       char (&option)[kDriverSettingBytes]);

}  // namespace xlrender
