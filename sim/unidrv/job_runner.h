// Plays Unidrv for one job: loads the plug-in module through its two exports, sets it up as
// Unidrv does, prints the job's pages through the plug-in's DDI hooks and collects the spool.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "unidrv/image_file.h"
#include "unidrv/job_description.h"
#include "unidrv/plugin_module.h"
#include "world.h"

namespace sim::unidrv {

struct JobOutcome {
    bool succeeded = false;
    std::string failure;  // which call failed, when it did
    std::string spool;    // everything written to the spool stream
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

// The job's pictures, read before the plug-in runs so a bad file is a bad job, not a failed one.
// Throws JobFileError naming the JSON path of the picture that cannot be read.
std::map<std::string, BgrImage> ReadJobImages(const JobDescription& job);

// Prints the job through the loaded `module` on the calling thread, in `world` (fresh, or with
// the faults a test set), which the thread is bound to for the job. The spooler runs many jobs
// through one loaded module this way, each in its own world, side by side.
JobOutcome PlayJob(const JobDescription& job, const std::map<std::string, BgrImage>& images,
                   const PluginModule& module, World& world, const DriverSide& driver = {},
                   const PageProgress& progress = {});

// Loads the module from `modulePath` and prints the job in a fresh world of its own.
JobOutcome RunJob(const JobDescription& job, const std::map<std::string, BgrImage>& images,
                  const std::string& modulePath, const DriverSide& driver = {},
                  const PageProgress& progress = {});

}  // namespace sim::unidrv
