// One module load serving job after job, as the spooler keeps the plug-in for days: each job
// gives back everything it took, the module can unload between jobs, and a job printed again
// comes out byte for byte the same.
#include <gtest/gtest.h>

#include "spooler/spooler_jobs.h"

namespace xlrender::testing {
namespace {

TEST(LongLivedModule, JobsGiveBackEverythingAndRepeatExactly) {
    std::string error;
    const sim::unidrv::PluginModule module(XLRENDER_MODULE_PATH, error);
    ASSERT_TRUE(module.loaded()) << error;
    const SpoolerJob a = ScalableWatermarkJob();
    const SpoolerJob b = BitmapWatermarkJob();
    std::vector<std::string> spools;
    for (const SpoolerJob* job : {&a, &b, &a}) {
        const JobRun run = RunInFreshWorld(*job, module);
        ASSERT_TRUE(run.outcome.succeeded) << job->name << ": " << run.outcome.failure;
        EXPECT_EQ(run.left, sim::LiveResources{}) << job->name;
        EXPECT_EQ(module.CanUnloadNow(), S_OK) << job->name;
        spools.push_back(run.outcome.spool);
    }
    EXPECT_NE(spools[0], spools[1]);
    EXPECT_TRUE(spools[0] == spools[2]) << "job A printed twice differs";
}

}  // namespace
}  // namespace xlrender::testing
