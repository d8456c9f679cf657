// Whole-job throughput of the print path: an A4 page at 600 dpi holding a 2400 x 1600
// photograph, drawn through the simulated driver's raster fallback.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "unidrv/job_runner.h"
#include "unidrv/plugin_module.h"

namespace {

constexpr int kPhotoWidth = 2400;
constexpr int kPhotoHeight = 1600;

std::filesystem::path ProgramFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// The photograph, made once by the project's own generator.
std::filesystem::path PhotoFile() {
    const std::filesystem::path photo =
        std::filesystem::temp_directory_path() / "xlrender-bench-photo-2400x1600.jpg";
    if (!std::filesystem::exists(photo)) {
        const std::string command = (ProgramFolder() / "xlrender-example-photo").string() + " " +
                                    std::to_string(kPhotoWidth) + " " +
                                    std::to_string(kPhotoHeight) + " " + photo.string();
        if (std::system(command.c_str()) != 0) {
            return {};
        }
    }
    return photo;
}

void PrintPhotoPage(benchmark::State& state) {
    const std::filesystem::path photo = PhotoFile();
    if (photo.empty()) {
        state.SkipWithError("cannot make the photograph");
        return;
    }
    // 2400 x 1600 pixels at 600 dpi is 101.6 x 67.733 mm: drawn at its own size (DrvBitBlt).
    const std::string json = R"({"pages": [{"content": [{"image": ")" + photo.string() +
                             R"(", "at": {"x": 20, "y": 30, "width": 101.6,
                                          "height": 67.7333333}}]}]})";
    const sim::unidrv::JobDescription job = sim::unidrv::ParseJobDescription(json, "/");
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
