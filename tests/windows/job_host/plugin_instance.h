// The platform the job host plays its jobs on, and the plug-in object it plays them through,
// created from the module beside the host program through the module's class factory, as Unidrv
// creates it. The platform gets a printer, "XL Render Test Printer" on LPT1: with the driver's
// print processor, with one job queued by AddJobW. On Windows (Wine) that is the spooler's own
// printer and job, and what the environment supplied (the Windows version, the job's id) is
// recorded in `environmentFile`; on Linux a fresh stand-in world is given the same printer and job
// and the recorded environment, and the font file as its only screen font (Windows finds the font
// in its fonts folder, where it is installed beforehand).
#pragma once

#include <string>

#include "platform/win32_api.h"

namespace job_host {

class PluginInstance {
public:
    PluginInstance(const char* fontFile, const WCHAR* fontFace, const char* environmentFile);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    // Null when the platform, the module or the object could not be had; error() says why.
    IPrintOemUni* plugin() const { return plugin_; }
    HMODULE module() const { return module_; }
    // The printer, opened for use, and its queued job.
    HANDLE printer() const { return printer_; }
    DWORD jobId() const { return jobId_; }
    const std::string& error() const { return error_; }

private:
    struct Platform;
    Platform* platform_ = nullptr;
    IPrintOemUni* plugin_ = nullptr;
    HMODULE module_ = nullptr;
    HANDLE printer_ = nullptr;
    DWORD jobId_ = 0;
    std::string error_;
};

inline constexpr WCHAR kTestPrinterName[] = W("XL Render Test Printer");
inline constexpr WCHAR kDriverPrintProcessor[] = W("ZQXPP041");
// The document name AddJobW gives the job it queues.
inline constexpr WCHAR kQueuedDocumentName[] = W("Local Downlevel Document");

}  // namespace job_host
