// Runs the commands of a printer description as Unidrv does: the bytes it writes itself (the
// universal exit, literal PJL, the PCL XL job and page framing) and the plug-in's command
// callbacks. Plain C++ over the simulated device, so that the Windows job host, which plays
// Unidrv for XLRENDER.DLL, frames its job exactly as the stand-in does.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32_api.h"
#include "unidrv/device.h"
#include "unidrv/printer_commands.h"

namespace sim::unidrv {

// What the framing commands say about the page.
struct CommandFraming {
    int resolution = 600;
    std::uint8_t mediaSize = 0;    // PCL XL MediaSize
    std::uint8_t mediaSource = 1;  // PCL XL MediaSource
    std::int16_t marginPixels = 0;  // the printable area's offset from the paper's corner
};

// Writes each command's bytes to the device's spool, or calls the plug-in for a callback.
void RunPrinterCommands(IPrintOemUni& plugin, Device& device,
                        const std::vector<PrinterCommand>& commands, const CommandFraming& framing);

}  // namespace sim::unidrv
