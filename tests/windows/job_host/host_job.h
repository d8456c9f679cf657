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

// A printer handle that names no printer the spooler knows: with it the plug-in runs its paths
// for a spooler that cannot answer, where nothing of the job's owner, machine or date is known.
HANDLE UnknownPrinterHandle();

// The printer Unidrv prints the job on, and the job's id.
struct SpoolerJob {
    HANDLE printer;
    DWORD id;
};

// Plays the job; `module` is the plug-in module's handle, `watermarkFace` the face of the font
// file both sides were given.
HostJobOutcome PlayHostJob(IPrintOemUni& plugin, HMODULE module, const WCHAR* watermarkFace,
                           const SpoolerJob& job);

}  // namespace job_host
