// Jobs of every kind the spooler meets, ready to print through one loaded plug-in module, and
// a run of one in a fresh world of its own.
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "unidrv/job_runner.h"
#include "world.h"

namespace sim {

inline void PrintTo(const LiveResources& live, std::ostream* out) {
    *out << "{heap blocks " << live.heapBlocks << ", engine objects " << live.engineObjects
         << ", clip objects " << live.clipObjects << ", DCs " << live.deviceContexts
         << ", fonts " << live.fonts << ", RPC strings " << live.rpcStrings << "}";
}

}  // namespace sim

namespace xlrender::testing {

struct SpoolerJob {
    std::string name;
    sim::unidrv::JobDescription description;
    sim::unidrv::JobImages images;
    sim::unidrv::DriverSide driver;
};

// JPEG photographs with complex clips, at several blit paths.
SpoolerJob PhotographsJob();
// A stored job with a TrueType watermark, four pages to a sheet, clipped photographs.
SpoolerJob ScalableWatermarkJob();
// A banded job with a bitmap watermark (text outside ASCII) and clipped photographs.
SpoolerJob BitmapWatermarkJob();
// A RAW job: no print processor layout, no watermark.
SpoolerJob RawJob();

// Every kind above.
std::vector<SpoolerJob> JobsOfEveryKind();

struct JobRun {
    sim::unidrv::JobOutcome outcome;
    sim::LiveResources left;  // what the job's world still had out when the job ended
    // What the world counted: allocations, and calls by function name.
    std::size_t allocations = 0;
    std::map<std::string, std::size_t> engineCalls;
    std::map<std::string, std::size_t> fontCalls;
};

// Prints `job` in a fresh world with seeded job identifiers, after `prepare` (faults) has seen
// the world.
JobRun RunInFreshWorld(const SpoolerJob& job, const sim::unidrv::PluginModule& module,
                       const std::function<void(sim::World&)>& prepare = {});

}  // namespace xlrender::testing
