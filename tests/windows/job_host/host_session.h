// The job host's Unidrv: the DDI functions the plug-in's hooks pass through to, each running the
// printer description's commands for its place in the job (Unidrv's own bytes, and the plug-in's
// command callbacks). Built for Linux against the stand-in and for Windows against XLRENDER.DLL.
#pragma once

#include <vector>

#include "platform/win32_api.h"
#include "unidrv/device.h"
#include "unidrv/printer_command_runner.h"

namespace job_host {

class HostSession {
public:
    HostSession(IPrintOemUni& plugin, sim::unidrv::Device& device,
                const sim::unidrv::PrinterCommands& description,
                const sim::unidrv::CommandFraming& framing);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Unidrv's DRVFN table, handed to EnablePDEV.
    DRVENABLEDATA* functions() { return &functions_; }

    // Unidrv's work behind each DDI function: the commands of its place in the job.
    void Run(const std::vector<sim::unidrv::PrinterCommand>& commands) {
        sim::unidrv::RunPrinterCommands(plugin_, device_, commands, framing_);
    }
    const sim::unidrv::PrinterCommands& description() const { return description_; }

    static HostSession* Of(SURFOBJ* surface);

private:
    IPrintOemUni& plugin_;
    sim::unidrv::Device& device_;
    const sim::unidrv::PrinterCommands& description_;
    sim::unidrv::CommandFraming framing_;
    std::vector<DRVFN> table_;
    DRVENABLEDATA functions_{};
};

}  // namespace job_host
