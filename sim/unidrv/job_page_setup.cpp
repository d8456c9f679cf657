#include "unidrv/job_page_setup.h"

#include <cmath>

namespace sim::unidrv {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr SHORT kAutoSelectBin = 7;
constexpr SHORT kManualFeedBin = 4;
constexpr SHORT kUpperBin = 1;
constexpr SHORT kLowerBin = 2;
constexpr SHORT kEnvelopeBin = 5;

std::uint8_t MediaSourceFor(SHORT bin) {
    switch (bin) {
        case kAutoSelectBin: return 1;
        case kManualFeedBin: return 2;
        case kUpperBin: return 4;
        case kLowerBin: return 5;
        case kEnvelopeBin: return 6;
        default: return 0;
    }
}

}  // namespace

LONG ToPixels(double millimetres, int resolution) {
    return static_cast<LONG>(std::lround(millimetres / kMmPerInch * resolution));
}

PageSetup PageSetupFor(const JobDescription& job) {
    PageSetup page;
    page.paper = *FindPaper(job.publicDevmode.paper);
    page.landscape = job.publicDevmode.orientation == "landscape";
    page.resolution = job.printer.resolution;
    page.marginPixels = ToPixels(job.printer.marginMm, page.resolution);
    const LONG width = ToPixels(page.paper.widthMm, page.resolution);
    const LONG height = ToPixels(page.paper.heightMm, page.resolution);
    page.paperWidthPixels = page.landscape ? height : width;
    page.paperHeightPixels = page.landscape ? width : height;
    page.mediaSource = MediaSourceFor(static_cast<SHORT>(job.publicDevmode.defaultSource));
    return page;
}

void FillPublicDevmode(const JobDescription& job, const PageSetup& page, DEVMODEW& devmode) {
    const PublicDevmodeSpec& requested = job.publicDevmode;
    devmode.dmPaperSize = page.paper.devmodeCode;
    devmode.dmOrientation = page.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    devmode.dmCopies = static_cast<SHORT>(requested.copies);
    devmode.dmCollate = requested.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    devmode.dmDuplex = requested.duplex == "simplex"     ? DMDUP_SIMPLEX
                       : requested.duplex == "long-edge" ? DMDUP_VERTICAL
                                                    : DMDUP_HORIZONTAL;
    devmode.dmColor = requested.color == "color" ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
    devmode.dmPrintQuality = static_cast<SHORT>(page.resolution);
    devmode.dmYResolution = static_cast<SHORT>(page.resolution);
    devmode.dmMediaType = requested.mediaType;
    devmode.dmDefaultSource = static_cast<SHORT>(requested.defaultSource);
    devmode.dmTTOption = DMTT_DOWNLOAD;
    for (std::size_t i = 0; page.paper.name[i] != '\0' && i + 1 < CCHFORMNAME; ++i) {
        devmode.dmFormName[i] = static_cast<WCHAR>(page.paper.name[i]);
    }
}

}  // namespace sim::unidrv
