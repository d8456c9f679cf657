// A 10-sheet watermarked job through the simulated driver: time and stream bytes per sheet, and
// what each sheet after the first costs once the font is in the printer, in both font forms.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "settings/private_devmode.h"
#include "unidrv/job_runner.h"
#include "unidrv/plugin_module.h"

namespace {

constexpr int kSheets = 10;
constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string Utf16Bytes(const std::u16string& text) {
    std::string bytes;
    for (char16_t unit : text + u'\0') {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// What the driver's user interface stores for a watermark: on, its text and its face.
sim::unidrv::DriverSide WatermarkSettings(const std::u16string& text) {
    sim::unidrv::DriverSide driver;
    if (!text.empty()) {
        driver.privateDevmode = {
            {offsetof(xlrender::PrivateDevmode, WatermarkEnabled), std::string("\1\0\0\0", 4)},
            {offsetof(xlrender::PrivateDevmode, WatermarkText), Utf16Bytes(text)},
            {offsetof(xlrender::PrivateDevmode, WatermarkFace), Utf16Bytes(u"Bench Sans")}};
    }
    return driver;
}

sim::unidrv::JobDescription SheetsJob(int sheets) {
    std::string pages;
    for (int i = 0; i < sheets; ++i) {
        pages += std::string(i == 0 ? "" : ",") +
                 R"({"content": [{"fill": "#404040", "at": {"x": 20, "y": 20, "width": 170,
                                                          "height": 20}}]})";
    }
    return sim::unidrv::ParseJobDescription(
        R"({"system": {"fonts": [{"face": "Bench Sans", "file": ")" + std::string(kFontFile) +
            R"("}]}, "pages": [)" + pages + "]}",
        "/");
}

std::size_t SpoolBytes(int sheets, const std::u16string& text, const std::string& module) {
    const sim::unidrv::JobDescription job = SheetsJob(sheets);
    const sim::unidrv::JobOutcome outcome =
        sim::unidrv::RunJob(job, sim::unidrv::ReadJobImages(job), module, WatermarkSettings(text));
    return outcome.succeeded ? outcome.spool.size() : 0;
}

void PrintWatermarkedSheets(benchmark::State& state, const std::u16string& text) {
    const std::string module = sim::unidrv::DefaultPluginModulePath();
    const sim::unidrv::JobDescription job = SheetsJob(kSheets);
    const auto images = sim::unidrv::ReadJobImages(job);
    const sim::unidrv::DriverSide driver = WatermarkSettings(text);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const sim::unidrv::JobOutcome outcome = sim::unidrv::RunJob(job, images, module, driver);
        if (!outcome.succeeded) {
            state.SkipWithError(outcome.failure.c_str());
            return;
        }
        bytes = outcome.spool.size();
        benchmark::DoNotOptimize(outcome.spool.data());
    }
    // The watermark's own bytes on each sheet after the first: the 10-sheet job less the 1-sheet
    // job, over nine sheets, less the same for the job without a watermark.
    const double further =
        (static_cast<double>(bytes) - SpoolBytes(1, text, module)) / (kSheets - 1);
    const double plain =
        (static_cast<double>(SpoolBytes(kSheets, u"", module)) - SpoolBytes(1, u"", module)) /
        (kSheets - 1);
    state.counters["ms_per_sheet"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSheets,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
    state.counters["bytes_per_sheet"] = static_cast<double>(bytes) / kSheets;
    state.counters["watermark_bytes_per_further_sheet"] = further - plain;
}
BENCHMARK_CAPTURE(PrintWatermarkedSheets, scalable, std::u16string(u"CONFIDENTIAL"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(PrintWatermarkedSheets, bitmap, std::u16string(u"CONFIDENTIEL \u00C9T\u00C9"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
