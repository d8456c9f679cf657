// Jobs side by side in one process, as the spooler runs them: four threads print jobs of every
// kind through one loaded module, each job in its own world, and every spool is byte for byte
// what the same job prints alone, while the host asks the module whether it may unload, as
// COM's idle clean-up does at any time.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "spooler/spooler_jobs.h"

namespace xlrender::testing {
namespace {

constexpr std::size_t kThreads = 4;
constexpr std::size_t kJobsPerThread = 25;

// What went wrong with one job on a thread, for the main thread to report.
struct JobFault {
    std::size_t thread;
    std::size_t job;
    std::string what;
};

TEST(ConcurrentJobs, EachPrintsAsItDoesAlone) {
    std::string error;
    const sim::unidrv::PluginModule module(XLRENDER_MODULE_PATH, error);
    ASSERT_TRUE(module.loaded()) << error;
    const std::vector<SpoolerJob> kinds = JobsOfEveryKind();
    std::vector<std::string> alone;
    for (const SpoolerJob& kind : kinds) {
        const JobRun run = RunInFreshWorld(kind, module);
        ASSERT_TRUE(run.outcome.succeeded) << kind.name << ": " << run.outcome.failure;
        alone.push_back(run.outcome.spool);
    }
    std::vector<std::vector<JobFault>> faults(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t j = 0; j < kJobsPerThread; ++j) {
                const std::size_t kind = (t + j) % kinds.size();
                const JobRun run = RunInFreshWorld(kinds[kind], module);
                if (!run.outcome.succeeded) {
                    faults[t].push_back({t, j, "failed: " + run.outcome.failure});
                } else if (run.outcome.spool != alone[kind]) {
                    faults[t].push_back({t, j, kinds[kind].name + " differs from alone"});
                }
                if (!(run.left == sim::LiveResources{})) {
                    faults[t].push_back({t, j, kinds[kind].name + " left resources out"});
                }
            }
        });
    }
    std::atomic<bool> jobsDone = false;
    std::thread unloadPoll([&] {
        while (!jobsDone) {
            module.CanUnloadNow();
        }
    });
    for (std::thread& thread : threads) {
        thread.join();
    }
    jobsDone = true;
    unloadPoll.join();
    for (const std::vector<JobFault>& ofThread : faults) {
        for (const JobFault& fault : ofThread) {
            ADD_FAILURE() << "thread " << fault.thread << ", job " << fault.job << ": "
                          << fault.what;
        }
    }
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace xlrender::testing
