// One job played through the plug-in as Unidrv plays it, with the settings this test chooses:
// PublishDriverInterface, EnableDriver, DevMode (size, defaults, the user interface's settings
// merged in), EnablePDEV, DrvStartDoc with the job-start callbacks, one page with the scalable
// watermark, DrvEndDoc, DisablePDEV, DisableDriver. Every byte the plug-in and the host write
// to the spool is kept. The same source runs against the Linux module and against XLRENDER.DLL.
#pragma once

#include <string>

#include "platform/win32_api.h"

namespace job_host {

struct HostJobOutcome {
    bool succeeded = false;
    std::string failure;  // the step that failed, when one did
    std::string spool;
};

// The printer handle Unidrv passes: one that names no printer the spooler knows, on Linux as
// under Wine (which has no printer to give), so that both sides run the plug-in's paths for a
// spooler that cannot answer. Unidrv itself never looks at it.
HANDLE UnknownPrinterHandle();

// Plays the job; `module` is the plug-in module's handle, `watermarkFace` the face of the font
// file both sides were given.
HostJobOutcome PlayHostJob(IPrintOemUni& plugin, HMODULE module, const WCHAR* watermarkFace);

}  // namespace job_host
