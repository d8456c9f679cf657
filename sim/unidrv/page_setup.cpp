#include "unidrv/page_setup.h"

#include <cmath>

namespace sim::unidrv {
namespace {

constexpr ULONG kTechnologyRasterPrinter = 2;
constexpr double kMmPerInch = 25.4;

}  // namespace

LONG ToPixels(double millimetres, int resolution) {
    return static_cast<LONG>(std::lround(millimetres / kMmPerInch * resolution));
}

PageSetup LayOutPage(const Paper& paper, bool landscape, int resolution, double marginMm,
                     std::uint8_t mediaSource) {
    PageSetup page;
    page.paper = paper;
    page.landscape = landscape;
    page.resolution = resolution;
    page.marginPixels = ToPixels(marginMm, resolution);
    const LONG width = ToPixels(paper.widthMm, resolution);
    const LONG height = ToPixels(paper.heightMm, resolution);
    page.paperWidthPixels = landscape ? height : width;
    page.paperHeightPixels = landscape ? width : height;
    page.mediaSource = mediaSource;
    return page;
}

GDIINFO GdiInfoFor(const PageSetup& page) {
    GDIINFO info{};
    const LONG width = page.printableWidth();
    const LONG height = page.printableHeight();
    info.ulVersion = 0x5000;
    info.ulTechnology = kTechnologyRasterPrinter;
    info.ulHorzSize = static_cast<ULONG>(width * kMmPerInch / page.resolution);
    info.ulVertSize = static_cast<ULONG>(height * kMmPerInch / page.resolution);
    info.ulHorzRes = static_cast<ULONG>(width);
    info.ulVertRes = static_cast<ULONG>(height);
    info.cBitsPixel = 24;
    info.cPlanes = 1;
    info.ulNumColors = 0xFFFFFFFF;
    info.ulLogPixelsX = static_cast<ULONG>(page.resolution);
    info.ulLogPixelsY = static_cast<ULONG>(page.resolution);
    info.ulAspectX = static_cast<ULONG>(page.resolution);
    info.ulAspectY = static_cast<ULONG>(page.resolution);
    info.ulAspectXY = static_cast<ULONG>(page.resolution * 1.41421356);
    info.ptlPhysOffset = {page.marginPixels, page.marginPixels};
    info.szlPhysSize = {page.paperWidthPixels, page.paperHeightPixels};
    info.ulDevicePelsDPI = static_cast<ULONG>(page.resolution);
    return info;
}

CommandFraming FramingFor(const PageSetup& page) {
    return {page.resolution, page.paper.mediaSize, page.mediaSource,
            static_cast<std::int16_t>(page.marginPixels)};
}

}  // namespace sim::unidrv
