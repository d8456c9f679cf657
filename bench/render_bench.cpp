// Rendering the print benchmark's A4 photo page (printed once through the plug-in) at 600 and
// at 100 dpi: time per page, and the page buffer next to the process's peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "pclxl_render/render_spool.h"
#include "photo_page_job.h"
#include "unidrv/job_runner.h"
#include "unidrv/plugin_module.h"

namespace {

constexpr double kKilobytesPerMegabyte = 1024;

// The spool file of the photo page, printed once.
const std::string& PhotoPageSpool() {
    static const std::string spool = [] {
        const std::filesystem::path photo = xlrender::bench::PhotoFile();
        if (photo.empty()) {
            return std::string();
        }
        const sim::unidrv::JobDescription job = xlrender::bench::PhotoPageJob(photo);
        const sim::unidrv::JobOutcome outcome = sim::unidrv::RunJob(
            job, sim::unidrv::ReadJobImages(job), sim::unidrv::DefaultPluginModulePath());
        return outcome.succeeded ? outcome.spool : std::string();
    }();
    return spool;
}

void RenderPhotoPage(benchmark::State& state) {
    const std::string& spool = PhotoPageSpool();
    if (spool.empty()) {
        state.SkipWithError("cannot print the photo page");
        return;
    }
    pclxl_render::RenderOptions options;
    options.dpi = static_cast<double>(state.range(0));
    std::size_t pageBytes = 0;
    for (auto _ : state) {
        const pclxl_render::RenderOutcome outcome = pclxl_render::RenderSpool(
            {reinterpret_cast<const std::uint8_t*>(spool.data()), spool.size()}, options,
            [&pageBytes](const pclxl_render::RenderedPage& page) {
                pageBytes = page.raster.RowBytes() * page.raster.Height();
                benchmark::DoNotOptimize(page.raster.Row(0).data());
            });
        if (!outcome.succeeded) {
            state.SkipWithError(outcome.failure.c_str());
            return;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["page_buffer_MB"] = static_cast<double>(pageBytes) / (1 << 20);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / kKilobytesPerMegabyte;
}
BENCHMARK(RenderPhotoPage)->Arg(100)->Arg(600)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
