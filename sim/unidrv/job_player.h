// Plays one job through one plug-in object as Unidrv does: PublishDriverInterface, GetInfo,
// EnableDriver, DevMode, EnablePDEV, then the DDI functions in Unidrv's order, sheet by sheet.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "unidrv/job_description.h"
#include "unidrv/job_images.h"
#include "unidrv/spool_capture.h"

namespace sim::unidrv {

struct JobOutcome {
    bool succeeded = false;
    std::string failure;  // which call failed, when it did
    std::string spool;    // everything written to the spool stream, unless it was streamed
};

// Called after each sheet with the sheet number (1-based) and the sheet count.
using PageProgress = std::function<void(std::size_t sheet, std::size_t sheets)>;

// Bytes of the private devmode that the driver's user interface set for this job.
struct DevmodePatch {
    std::size_t offset;
    std::string bytes;
};

// What the driver's other components contribute: the user interface's private devmode
// settings, and the N-up count the driver's print processor lays sheets out for.
struct DriverSide {
    std::vector<DevmodePatch> privateDevmode;
    int pagesPerSheet = 1;
};

// Each step names itself in the outcome's failure when it fails. With `output`, the spool goes
// there write by write.
JobOutcome PlayThroughPlugin(IPrintOemUni& plugin, const JobDescription& job,
                             const JobImages& images, const DriverSide& driver,
                             const PageProgress& progress, SpoolSink* output);

}  // namespace sim::unidrv
