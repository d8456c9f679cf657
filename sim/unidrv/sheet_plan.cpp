#include "unidrv/sheet_plan.h"

#include <strings.h>

#include <algorithm>

namespace sim::unidrv {
namespace {

constexpr char kOwnPrintProcessor[] = "ZQXPP041";

// A journaled job through the driver's own print processor, not a RAW one.
bool OwnPrintProcessorPlays(const JobDescription& job) {
    return strcasecmp(job.job.dataType.c_str(), "RAW") != 0 &&
           strcasecmp(job.printer.printProcessor.c_str(), kOwnPrintProcessor) == 0;
}

}  // namespace

std::vector<Sheet> PlanSheets(const JobDescription& job, const PageSetup& page,
                              int pagesPerSheet) {
    const bool ownProcessor = OwnPrintProcessorPlays(job);
    const std::size_t perSheet =
        ownProcessor ? static_cast<std::size_t>(std::max(pagesPerSheet, 1)) : 1;
    const std::size_t total = job.pages.size();
    std::vector<Sheet> sheets;
    for (std::size_t first = 0; first < total; first += perSheet) {
        Sheet sheet;
        const SheetLayout layout =
            LayOutSheet(static_cast<int>(perSheet), first / perSheet, total,
                        page.printableWidth(), page.printableHeight(),
                        page.paperWidthPixels, page.paperHeightPixels, page.landscape);
        for (const SheetSlot& slot : layout.slots) {
            const PagePlacement placement =
                perSheet == 1 ? PagePlacement{} : PlacementInSlot(page, slot.rectangle);
            sheet.pages.emplace_back(&job.pages[slot.pageNumber - 1], placement);
        }
        if (ownProcessor) {
            sheet.layoutEscape = LayoutBlock(layout, total);
        }
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

}  // namespace sim::unidrv
