// Runs jobs as the spooler does: reads a job's pictures, loads the plug-in module through its
// two exports, and prints each job in a world of its own.
#pragma once

#include <map>
#include <string>

#include "unidrv/image_file.h"
#include "unidrv/job_description.h"
#include "unidrv/job_player.h"
#include "unidrv/plugin_module.h"
#include "world.h"

namespace sim::unidrv {

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
