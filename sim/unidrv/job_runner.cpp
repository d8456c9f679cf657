#include "unidrv/job_runner.h"

#include <memory>

#include "unidrv/job_world.h"

namespace sim::unidrv {

std::map<std::string, BgrImage> ReadJobImages(const JobDescription& job) {
    std::map<std::string, BgrImage> images;
    for (std::size_t p = 0; p < job.pages.size(); ++p) {
        for (std::size_t c = 0; c < job.pages[p].content.size(); ++c) {
            const auto* image = std::get_if<ImageContent>(&job.pages[p].content[c]);
            if (image == nullptr || images.count(image->file.string()) != 0) {
                continue;
            }
            try {
                images.emplace(image->file.string(), ReadImageFile(image->file));
            } catch (const ImageFileError& error) {
                throw JobFileError("/pages/" + std::to_string(p) + "/content/" +
                                       std::to_string(c) + "/image",
                                   error.what());
            }
        }
    }
    return images;
}

JobOutcome PlayJob(const JobDescription& job, const std::map<std::string, BgrImage>& images,
                   const PluginModule& module, World& world, const DriverSide& driver,
                   const PageProgress& progress) {
    const WorldBinding binding(world);
    DescribeJobToWorld(job, world);
    JobOutcome outcome;
    IPrintOemUni* plugin = module.CreatePlugin(outcome.failure);
    if (plugin == nullptr) {
        return outcome;
    }
    outcome = PlayThroughPlugin(*plugin, job, images, driver, progress);
    plugin->Release();
    return outcome;
}

JobOutcome RunJob(const JobDescription& job, const std::map<std::string, BgrImage>& images,
                  const std::string& modulePath, const DriverSide& driver,
                  const PageProgress& progress) {
    JobOutcome outcome;
    const PluginModule module(modulePath, outcome.failure);
    if (!module.loaded()) {
        return outcome;
    }
    const auto world = std::make_unique<World>();
    return PlayJob(job, images, module, *world, driver, progress);
}

}  // namespace sim::unidrv
