// Memory of a long-lived spooler: 1,000 jobs of mixed kinds, one after another, through one
// loaded plug-in module, each in a world of its own. The resident size after the first jobs and
// after the last should be the same: a job that leaves memory behind grows it by every job.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <vector>

#include "private_devmode_settings.h"
#include "unidrv/job_runner.h"

namespace {

constexpr const char* kJobFiles[] = {"examples/demo.json", "examples/watermark.json",
                                     "examples/watermark-4up.json", "tests/jobs/banded.json",
                                     "tests/jobs/storage-mode-3.json"};
constexpr long kWarmUpJobs = 100;
constexpr double kKibibyte = 1024.0;

struct BenchJob {
    sim::unidrv::JobDescription description;
    sim::unidrv::JobImages images;
    sim::unidrv::DriverSide driver;
};

double ResidentKibibytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / kKibibyte;
}

double PeakResidentKibibytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss);  // already in KiB on Linux
}

void SequentialJobs(benchmark::State& state) {
    std::vector<BenchJob> kinds;
    for (const char* file : kJobFiles) {
        BenchJob job;
        job.description = sim::unidrv::ReadJobDescription(std::string(XLRENDER_SOURCE_DIR "/") + file);
        job.images = sim::unidrv::ReadJobImages(job.description);
        job.driver = xlrender::tool::DriverSideFor(job.description);
        kinds.push_back(std::move(job));
    }
    std::string error;
    const sim::unidrv::PluginModule module(sim::unidrv::DefaultPluginModulePath(), error);
    if (!module.loaded()) {
        state.SkipWithError(error.c_str());
        return;
    }
    const long jobs = state.range(0);
    for (auto _ : state) {
        for (long n = 0; n < jobs; ++n) {
            const BenchJob& job = kinds[static_cast<std::size_t>(n) % kinds.size()];
            const auto world = std::make_unique<sim::World>();
            const sim::unidrv::JobOutcome outcome =
                sim::unidrv::PlayJob(job.description, job.images, module, *world, job.driver);
            if (!outcome.succeeded) {
                state.SkipWithError(outcome.failure.c_str());
                return;
            }
            if (n + 1 == kWarmUpJobs) {
                state.counters["rss_after_100_jobs_KiB"] = ResidentKibibytes();
                state.counters["peak_after_100_jobs_KiB"] = PeakResidentKibibytes();
            }
        }
    }
    state.counters["rss_after_all_jobs_KiB"] = ResidentKibibytes();
    state.counters["peak_after_all_jobs_KiB"] = PeakResidentKibibytes();
    state.counters["jobs_per_second"] = benchmark::Counter(
        static_cast<double>(jobs * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(SequentialJobs)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
