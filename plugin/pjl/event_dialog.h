// The manual-duplex dialog of the driver's event module: the record it is shown with, and the
// escape through which the user interface asks for it.
#pragma once

#include "platform/event_dialog.h"
#include "platform/win32_api.h"
#include "settings/job_settings.h"
#include "settings/private_devmode.h"

namespace xlrender {

// The escape's input: 40 bytes with the orientation at byte 20 and the show switch at 28.
constexpr ULONG kEventDialogInputBytes = 40;

// Which pair of each manual-duplex geometry group the dialog gets (0 to 3).
DWORD ManualDuplexPairIndex(const PrivateDevmode& devmode, const JobSettings& settings);

// Fills `record` (which the caller zeroed) for `printer`: the job-storage module's path and the
// language file always, the manual-duplex part only when manual duplex is in use.
void BuildDisplayDialogRecord(HANDLE printer, const PrivateDevmode& devmode,
                              const JobSettings& settings, VDisplayDialogRecord& record);

// The escape: takes the orientation the dialog works with, clears `duplexDialogPending` and,
// for a modal manual-duplex dialog, loads the event module from the driver's directory and
// calls its VDisplayDialog with the record when all six manual-duplex values are set. Returns
// 1; 0 with ERROR_INVALID_DATA without a private devmode.
ULONG ShowEventDialog(DEVOBJ* pdevobj, JobSettings& settings, DWORD& duplexDialogPending,
                      const void* input, ULONG inputBytes);

}  // namespace xlrender
