// Every allocation, engine call and font call of jobs that take every path (photographs under
// complex clips, both watermark forms, N-up, banding, job storage) made to fail in turn: each
// run ends as a failed job or a complete, well-formed spool, and gives back everything it took.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "pclxl_dump/spool_reader.h"
#include "spooler/spooler_jobs.h"

namespace xlrender::testing {
namespace {

// One failure injected into a fresh world.
struct FailurePoint {
    std::string what;
    std::function<void(sim::World&)> inject;
};

std::vector<FailurePoint> EveryFailurePoint(const JobRun& clean) {
    std::vector<FailurePoint> points;
    for (std::size_t n = 1; n <= clean.allocations; ++n) {
        points.push_back({"allocation " + std::to_string(n),
                          [n](sim::World& world) { world.heap.failAfter = n; }});
    }
    for (const auto& [function, calls] : clean.engineCalls) {
        for (std::size_t n = 1; n <= calls; ++n) {
            points.push_back({function + " call " + std::to_string(n),
                              [function, n](sim::World& world) {
                                  world.engine.failOnCall[function] = n;
                              }});
        }
    }
    for (const auto& [function, calls] : clean.fontCalls) {
        for (std::size_t n = 1; n <= calls; ++n) {
            points.push_back({function + " call " + std::to_string(n),
                              [function, n](sim::World& world) {
                                  world.screenFonts.failAfter[function] = n;
                              }});
        }
    }
    return points;
}

pclxl_dump::Listing ListingOf(const std::string& spool) {
    const std::vector<std::uint8_t> bytes(spool.begin(), spool.end());
    return pclxl_dump::ReadSpool(bytes, true);
}

// The first malformed spot of a spool, as the spool reader names it; empty when well-formed.
std::string FirstSpoolProblem(const std::string& spool) {
    const pclxl_dump::Listing listing = ListingOf(spool);
    const pclxl_dump::ListingLine* problem = listing.FirstProblem();
    return problem == nullptr ? ""
                              : pclxl_dump::DescribeOffset(problem->offset) + ": " + problem->text;
}

bool ListingHas(const pclxl_dump::Listing& listing, const std::string& text) {
    return std::any_of(listing.lines.begin(), listing.lines.end(),
                       [&](const pclxl_dump::ListingLine& line) {
                           return line.text.find(text) != std::string::npos;
                       });
}

// A swept job, with what its clean spool must show for the sweep to reach every path.
struct SweptJob {
    SpoolerJob job;
    std::vector<std::string> paths;
};

TEST(FailureSweep, EveryFailureEndsCleanly) {
    std::string error;
    const sim::unidrv::PluginModule module(XLRENDER_MODULE_PATH, error);
    ASSERT_TRUE(module.loaded()) << error;
    const SweptJob swept[] = {
        {ScalableWatermarkJob(),
         {"CompressMode=eJPEGCompression", "SetClipMode ClipMode=eEvenOdd",
          "BeginFontHeader FontName=\"DejaVu SansKZ_WM\"", "@PJL SET HOLD=ON"}},
        {BitmapWatermarkJob(),
         {"CompressMode=eJPEGCompression", "BeginFontHeader FontName=\"DejaVu SansKZ_WM 0\""}},
    };
    std::size_t exercised = 0;
    for (const auto& [job, paths] : swept) {
        const JobRun clean = RunInFreshWorld(job, module);
        ASSERT_TRUE(clean.outcome.succeeded) << job.name << ": " << clean.outcome.failure;
        const pclxl_dump::Listing listing = ListingOf(clean.outcome.spool);
        for (const std::string& path : paths) {
            EXPECT_TRUE(ListingHas(listing, path)) << job.name << " never reaches " << path;
        }
        for (const FailurePoint& point : EveryFailurePoint(clean)) {
            const JobRun run = RunInFreshWorld(job, module, point.inject);
            const std::string where = job.name + ", " + point.what;
            if (run.outcome.succeeded) {
                EXPECT_EQ(FirstSpoolProblem(run.outcome.spool), "") << where;
            } else {
                EXPECT_FALSE(run.outcome.failure.empty()) << where;
            }
            EXPECT_EQ(run.left, sim::LiveResources{}) << where;
            ++exercised;
        }
        EXPECT_EQ(module.CanUnloadNow(), S_OK) << job.name;
    }
    RecordProperty("failure_points", static_cast<int>(exercised));
}

}  // namespace
}  // namespace xlrender::testing
