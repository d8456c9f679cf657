// The simulated Unidrv's own side of one device context while a job runs: its DDI functions
// (what the plug-in's hooks pass through to), the printer description's commands with the
// plug-in's command callbacks, banding, and the raster it draws for declined blits.
#pragma once

#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "unidrv/device.h"
#include "unidrv/page_setup.h"
#include "unidrv/printer_commands.h"

namespace sim::unidrv {

class UnidrvSession {
public:
    UnidrvSession(IPrintOemUni& plugin, Device& device, const PrinterCommands& description,
                  const PageSetup& page, int bandHeight);
    ~UnidrvSession();
    UnidrvSession(const UnidrvSession&) = delete;
    UnidrvSession& operator=(const UnidrvSession&) = delete;

    // Unidrv's DRVFN table, handed to EnablePDEV.
    DRVENABLEDATA* functions() { return &functions_; }

    // The GDIINFO Unidrv reports for the page setup.
    GDIINFO GdiInfo() const { return GdiInfoFor(page_); }

    // Unidrv's own work behind each DDI function.
    BOOL StartDoc();
    BOOL EndDoc();
    BOOL StartPage();
    BOOL SendPage();
    BOOL StartBanding(POINTL* origin);
    BOOL NextBand(POINTL* origin);
    BOOL Blit(SURFOBJ* source, CLIPOBJ* clip, const RECTL* destination,
              const RECTL* sourceRectangle, const BRUSHOBJ* brush, ROP4 rop4,
              const XLATEOBJ* translation);

    // The band currently drawn, in device pixels of the printable area.
    RECTL CurrentBand() const;

    static UnidrvSession* Of(SURFOBJ* surface);

private:
    void Run(const std::vector<PrinterCommand>& commands);
    void Write(const std::string& bytes);

    IPrintOemUni& plugin_;
    Device& device_;
    const PrinterCommands& description_;
    PageSetup page_;
    LONG bandHeight_;
    LONG bandTop_ = 0;
    std::vector<DRVFN> table_;
    DRVENABLEDATA functions_{};
};

}  // namespace sim::unidrv
