// A stand-in for Unidrv's own DDI functions that records every call, so tests can see what the
// plug-in's hooks passed through.
#pragma once

#include <vector>

#include "platform/win32_api.h"

namespace sim::unidrv {

// Unidrv's DRVFN table with a recording function for each of the thirteen hooked indexes.
std::vector<DRVFN> RecordingFunctionTable();

}  // namespace sim::unidrv
