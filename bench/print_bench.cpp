// Whole-job throughput of the print path: an A4 page at 600 dpi holding a 2400 x 1600
// photograph, drawn through the simulated driver's raster fallback.
#include <benchmark/benchmark.h>

#include "photo_page_job.h"
#include "unidrv/job_runner.h"
#include "unidrv/plugin_module.h"

namespace {

using xlrender::bench::PhotoFile;
using xlrender::bench::PhotoPageJob;

void PrintPhotoPage(benchmark::State& state) {
    const std::filesystem::path photo = PhotoFile();
    if (photo.empty()) {
        state.SkipWithError("cannot make the photograph");
        return;
    }
    const sim::unidrv::JobDescription job = PhotoPageJob(photo);
    const auto images = sim::unidrv::ReadJobImages(job);
    const std::string module = sim::unidrv::DefaultPluginModulePath();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const sim::unidrv::JobOutcome outcome = sim::unidrv::RunJob(job, images, module);
        if (!outcome.succeeded) {
            state.SkipWithError(outcome.failure.c_str());
            return;
        }
        bytes = outcome.spool.size();
        benchmark::DoNotOptimize(outcome.spool.data());
    }
    state.counters["pages_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bytes_per_page"] = static_cast<double>(bytes);
}
BENCHMARK(PrintPhotoPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
