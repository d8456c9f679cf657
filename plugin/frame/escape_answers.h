// The escapes the plug-in answers itself. Each takes the device context as DrvEscape found it
// and the caller's buffers; the answer is DrvEscape's result.
#pragma once

#include <optional>

#include "frame/oem_pdev.h"
#include "platform/win32_api.h"
#include "settings/private_devmode.h"

namespace xlrender {

struct EscapeRequest {
    DEVOBJ* device;
    OemPdev& pdev;
    PrivateDevmode& devmode;
    ULONG cjIn;
    PVOID pvIn;
    ULONG cjOut;
    PVOID pvOut;
};

// QUERYESCSUPPORT; no answer (nullopt) means Unidrv answers.
std::optional<ULONG> AnswerQueryEscapeSupport(const EscapeRequest& request);
// PASSTHROUGH: the caller's bytes after their 16-bit count, as a PCL XL PassThrough operator
// when the printer accepts it; otherwise nothing is written.
ULONG AnswerPassThrough(const EscapeRequest& request);
// Escape 20: the device technology "PCL XL".
ULONG AnswerTechnology(const EscapeRequest& request);

// Escape 3880, after the duplex-paper check.
ULONG AnswerSettingsSnapshot(const EscapeRequest& request);
// Escape 3881.
ULONG AnswerPrintableArea(const EscapeRequest& request);
// Escape 3883: the sheet's page layout for the watermarks.
ULONG AnswerPageLayout(const EscapeRequest& request);
// 3882: the manual-duplex event dialog.
ULONG AnswerEventDialog(const EscapeRequest& request);
// Escape 3900: the job-storage dialog record.
ULONG AnswerJobStorageDialog(const EscapeRequest& request);

}  // namespace xlrender
