// Describes a job's printer, spooler job and machine to the simulated Windows, so the plug-in's
// queries find what a real system would report for that job.
#pragma once

#include "unidrv/job_description.h"
#include "world.h"

namespace sim::unidrv {

// The module handle Unidrv gives the plug-in (DEVOBJ.hOEM); the world knows its file name.
HMODULE PluginModuleHandle();

void DescribeJobToWorld(const JobDescription& job, World& world);

}  // namespace sim::unidrv
