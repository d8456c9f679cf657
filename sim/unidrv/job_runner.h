// Runs jobs as the spooler does: reads a job's pictures, loads the plug-in module through its
// two exports, and prints each job in a world of its own.
#pragma once

#include <string>

#include "unidrv/job_description.h"
#include "unidrv/job_images.h"
#include "unidrv/job_player.h"
#include "unidrv/plugin_module.h"
#include "world.h"

namespace sim::unidrv {

// Prints the job through the loaded `module` on the calling thread, in `world` (fresh, or with
// the faults a test set), which the thread is bound to for the job. The spooler runs many jobs
// through one loaded module this way, each in its own world, side by side. With `output`, the
// spool goes there write by write and is not kept in the outcome.
JobOutcome PlayJob(const JobDescription& job, const JobImages& images, const PluginModule& module,
                   World& world, const DriverSide& driver = {}, const PageProgress& progress = {},
                   SpoolSink* output = nullptr);

// Loads the module from `modulePath` and prints the job in a fresh world of its own.
JobOutcome RunJob(const JobDescription& job, const JobImages& images,
                  const std::string& modulePath, const DriverSide& driver = {},
                  const PageProgress& progress = {}, SpoolSink* output = nullptr);

}  // namespace sim::unidrv
