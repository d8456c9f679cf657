// A job file's private devmode settings, by field name, as the bytes the driver's user
// interface would have stored, and what the print processor makes of them.
#pragma once

#include "unidrv/job_description.h"
#include "unidrv/job_runner.h"

namespace xlrender::tool {

// Throws sim::unidrv::JobFileError naming the JSON path of a field that is unknown, cannot be
// set, or gets a value it cannot hold.
sim::unidrv::DriverSide DriverSideFor(const sim::unidrv::JobDescription& job);

}  // namespace xlrender::tool
