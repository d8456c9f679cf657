// The page as Unidrv lays it out for GDI, and what Unidrv reports and frames from it. Plain C++
// over the platform types, so that the Windows job host lays its page out as the stand-in does.
#pragma once

#include <cstdint>

#include "platform/win32_api.h"
#include "unidrv/paper.h"
#include "unidrv/printer_command_runner.h"

namespace sim::unidrv {

// The page as Unidrv lays it out for GDI.
struct PageSetup {
    Paper paper;
    bool landscape = false;
    int resolution = 600;
    LONG marginPixels = 0;      // unprintable border on every side
    LONG paperWidthPixels = 0;  // in the page's orientation
    LONG paperHeightPixels = 0;
    LONG printableWidth() const { return paperWidthPixels - 2 * marginPixels; }
    LONG printableHeight() const { return paperHeightPixels - 2 * marginPixels; }
    std::uint8_t mediaSource = 1;  // PCL XL MediaSource
};

// Device pixels for a length on paper.
LONG ToPixels(double millimetres, int resolution);

// The page for `paper` in the given orientation, with an unprintable border of `marginMm` on
// every side, fed from PCL XL media source `mediaSource`.
PageSetup LayOutPage(const Paper& paper, bool landscape, int resolution, double marginMm,
                     std::uint8_t mediaSource);

// The GDIINFO Unidrv reports for the page setup.
GDIINFO GdiInfoFor(const PageSetup& page);

// What the printer description's framing commands say about the page.
CommandFraming FramingFor(const PageSetup& page);

}  // namespace sim::unidrv
