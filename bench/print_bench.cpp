// Whole-job throughput of the print path: an A4 page at 600 dpi holding a 2400 x 1600
// photograph, drawn through the simulated driver's raster fallback, sent as JPEG by the
// plug-in, and sent as JPEG once per band it crosses on a banded page (compressed once); and the
// banded page's CPU time over the unbanded one's, pair by pair in one run.
#include <benchmark/benchmark.h>

#include "paired_cpu_time.h"
#include "photo_page_job.h"
#include "unidrv/job_runner.h"
#include "unidrv/plugin_module.h"

namespace {

using xlrender::bench::PhotoFile;
using xlrender::bench::PhotoPageJob;

void PrintPhotoPage(benchmark::State& state, const std::string& jobKeys) {
    const std::filesystem::path photo = PhotoFile();
    if (photo.empty()) {
        state.SkipWithError("cannot make the photograph");
        return;
    }
    const sim::unidrv::JobDescription job = PhotoPageJob(photo, jobKeys);
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
BENCHMARK_CAPTURE(PrintPhotoPage, raster_fallback, std::string())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PrintPhotoPage, jpeg, std::string(xlrender::bench::kJpegJobKeys))
    ->Unit(benchmark::kMillisecond);
// 512-row bands: the photograph's 1600 rows cross four of them.
BENCHMARK_CAPTURE(PrintPhotoPage, jpeg_banded,
                  std::string(xlrender::bench::kJpegJobKeys) + R"("banded": true,)")
    ->Unit(benchmark::kMillisecond);

// The banded JPEG page's CPU time over the unbanded one's.
void BandedOverUnbandedJpegPage(benchmark::State& state) {
    const std::filesystem::path photo = PhotoFile();
    if (photo.empty()) {
        state.SkipWithError("cannot make the photograph");
        return;
    }
    const std::string keys(xlrender::bench::kJpegJobKeys);
    const sim::unidrv::JobDescription banded = PhotoPageJob(photo, keys + R"("banded": true,)");
    const sim::unidrv::JobDescription whole = PhotoPageJob(photo, keys);
    const auto images = sim::unidrv::ReadJobImages(whole);
    const std::string module = sim::unidrv::DefaultPluginModulePath();
    const auto print = [&](const sim::unidrv::JobDescription& job) {
        const sim::unidrv::JobOutcome outcome = sim::unidrv::RunJob(job, images, module);
        if (!outcome.succeeded) {
            state.SkipWithError(outcome.failure.c_str());
        }
        return outcome.succeeded;
    };
    xlrender::bench::TimeInPairs(
        state, "banded", "unbanded", [&] { return print(banded); }, [&] { return print(whole); });
}
constexpr int kPagePairs = 7;
BENCHMARK(BandedOverUnbandedJpegPage)->Iterations(kPagePairs)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
