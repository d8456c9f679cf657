#include "unidrv/job_runner.h"

#include <memory>

#include "unidrv/job_world.h"

namespace sim::unidrv {

JobOutcome PlayJob(const JobDescription& job, const JobImages& images, const PluginModule& module,
                   World& world, const DriverSide& driver, const PageProgress& progress,
                   SpoolSink* output) {
    const WorldBinding binding(world);
    DescribeJobToWorld(job, world);
    JobOutcome outcome;
    IPrintOemUni* plugin = module.CreatePlugin(outcome.failure);
    if (plugin == nullptr) {
        return outcome;
    }
    outcome = PlayThroughPlugin(*plugin, job, images, driver, progress, output);
    plugin->Release();
    return outcome;
}

JobOutcome RunJob(const JobDescription& job, const JobImages& images,
                  const std::string& modulePath, const DriverSide& driver,
                  const PageProgress& progress, SpoolSink* output) {
    JobOutcome outcome;
    const PluginModule module(modulePath, outcome.failure);
    if (!module.loaded()) {
        return outcome;
    }
    const auto world = std::make_unique<World>();
    return PlayJob(job, images, module, *world, driver, progress, output);
}

}  // namespace sim::unidrv
