#include "unidrv/job_page_setup.h"

namespace sim::unidrv {
namespace {

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

PageSetup PageSetupFor(const JobDescription& job) {
    return LayOutPage(*FindPaper(job.publicDevmode.paper), job.publicDevmode.orientation == "landscape",
                      job.printer.resolution, job.printer.marginMm,
                      MediaSourceFor(static_cast<SHORT>(job.publicDevmode.defaultSource)));
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
