// Plays Unidrv for one job: loads the plug-in module through its two exports, sets it up as
// Unidrv does, prints the job's pages through the plug-in's DDI hooks and collects the spool.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

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

// Resets the simulated world, describes the job to it and prints the job. With `output`, the
// spool goes there write by write and is not kept in the outcome.
JobOutcome RunJob(const JobDescription& job, const JobImages& images,
                  const std::string& modulePath, const DriverSide& driver = {},
                  const PageProgress& progress = {}, SpoolSink* output = nullptr);

}  // namespace sim::unidrv
