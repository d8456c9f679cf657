// Which logical pages go onto each sheet, and where.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "unidrv/job_description.h"
#include "unidrv/nup_layout.h"
#include "unidrv/page_painter.h"
#include "unidrv/unidrv_session.h"

namespace sim::unidrv {

// The logical pages of one sheet and where each goes.
struct Sheet {
    std::vector<std::pair<const PageDescription*, PagePlacement>> pages;
    std::optional<SheetLayoutBlock> layoutEscape;  // sent by the driver's own print processor
};

// The sheets of the job. The driver's own print processor plays journaled jobs: it lays out
// `pagesPerSheet` pages on each sheet and tells the plug-in each sheet's layout. Anything else
// reaches the driver page by page.
std::vector<Sheet> PlanSheets(const JobDescription& job, const PageSetup& page,
                              int pagesPerSheet);

}  // namespace sim::unidrv
