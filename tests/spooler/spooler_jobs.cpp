#include "spooler/spooler_jobs.h"

#include <memory>

#include "private_devmode_settings.h"

namespace xlrender::testing {
namespace {

constexpr std::uint64_t kJobIdentifierSeed = 4711;

// 150 dpi keeps a hundred jobs quick under the sanitizers while every path still runs.
constexpr char kPrinter[] = R"("printer": {"resolution": 150})";

constexpr char kClippedPhotographs[] = R"(
    {"image": "photo",
     "at": {"x": 10, "y": 10, "width": 50.8, "height": 33.8667},
     "clip": {"polygon": [{"x": 10, "y": 10}, {"x": 60, "y": 10}, {"x": 10, "y": 43}],
              "enumerate": "path"}},
    {"image": "photo",
     "at": {"x": 70, "y": 10, "width": 50.8, "height": 33.8667},
     "clip": {"ellipse": {"x": 70, "y": 10, "width": 50.8, "height": 33.8667}}},
    {"image": "photo",
     "at": {"x": 10, "y": 50, "width": 50.8, "height": 33.8667},
     "clip": {"rectangles": [{"x": 10, "y": 50, "width": 20, "height": 10},
                             {"x": 20, "y": 55, "width": 30, "height": 20}]}})";

constexpr int kPhotographWidth = 120;
constexpr int kPhotographHeight = 80;

// A small photograph-like picture (smooth colour ramps): the JPEG path compresses it as it
// would a real one, in a fraction of the time a full-size photograph takes.
sim::unidrv::BgrImage Photograph() {
    sim::unidrv::BgrImage image;
    image.width = kPhotographWidth;
    image.height = kPhotographHeight;
    image.stride = (static_cast<std::size_t>(kPhotographWidth) * 3 + 3) / 4 * 4;
    image.pixels.resize(image.stride * kPhotographHeight);
    for (int y = 0; y < kPhotographHeight; ++y) {
        for (int x = 0; x < kPhotographWidth; ++x) {
            std::uint8_t* pixel = &image.pixels[y * image.stride + x * 3];
            pixel[0] = static_cast<std::uint8_t>(x * 2);
            pixel[1] = static_cast<std::uint8_t>(y * 3);
            pixel[2] = static_cast<std::uint8_t>((x + y) % 256);
        }
    }
    return image;
}

SpoolerJob Prepared(std::string name, const std::string& json) {
    SpoolerJob job;
    job.name = std::move(name);
    job.description = sim::unidrv::ParseJobDescription(json, "/");
    for (const sim::unidrv::PageDescription& page : job.description.pages) {
        for (const sim::unidrv::PageContent& item : page.content) {
            if (const auto* image = std::get_if<sim::unidrv::ImageContent>(&item)) {
                job.images.Give(image->file.string(), Photograph());
            }
        }
    }
    job.driver = tool::DriverSideFor(job.description);
    return job;
}

}  // namespace

SpoolerJob PhotographsJob() {
    return Prepared("photographs", std::string("{") + kPrinter + R"(,
        "features": {"JPEGEnable": "Maximum"}, "publicDevmode": {"color": "color"},
        "pages": [{"content": [)" + kClippedPhotographs + R"(,
            {"image": "photo",
             "at": {"x": 70, "y": 50, "width": 16.9333, "height": 25.4}, "rotate": 90}]}]})");
}

SpoolerJob ScalableWatermarkJob() {
    const std::string fill = R"({"content": [{"fill": "#808080",
        "at": {"x": 20, "y": 100, "width": 100, "height": 30}}]})";
    return Prepared("scalable watermark, 4-up, stored", std::string("{") + kPrinter + R"(,
        "features": {"JPEGEnable": "Maximum", "JobRetention": "INSTALLED"},
        "publicDevmode": {"color": "color"},
        "privateDevmode": {"NupOption": 3, "JobRetentionInstalled": 1, "JobStorageMode": 3,
                           "Carried758": "bob", "StorePinRequired": 1, "StorePin": 7},
        "watermark": {"text": "DRAFT", "face": "DejaVu Sans", "size": 96, "angle": 30},
        "system": {"fonts": [{"face": "DejaVu Sans",
                              "file": "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"}]},
        "job": {"id": 11, "document": "Budget 2027.docx", "user": "bob"},
        "pages": [{"content": [)" + kClippedPhotographs + "]}, " + fill + ", " + fill + ", " +
                                                         fill + ", " + fill + "]}");
}

SpoolerJob BitmapWatermarkJob() {
    return Prepared("bitmap watermark, banded", std::string("{") + kPrinter + R"(,
        "banded": true, "bandHeight": 200,
        "features": {"JPEGEnable": "Maximum"}, "publicDevmode": {"color": "color"},
        "watermark": {"text": "ÉBAUCHE", "face": "DejaVu Sans", "size": 60, "angle": "diagonal"},
        "system": {"fonts": [{"face": "DejaVu Sans",
                              "file": "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"}]},
        "pages": [{"content": [)" + kClippedPhotographs + R"(]},
                  {"content": [{"fill": "#1F4E79",
                                "at": {"x": 20, "y": 20, "width": 100, "height": 30}}]}]})");
}

SpoolerJob RawJob() {
    return Prepared("raw", std::string("{") + kPrinter + R"(,
        "job": {"dataType": "RAW", "document": "notes.txt"},
        "pages": [{"content": [{"fill": "#C55A11",
                                "at": {"x": 20, "y": 20, "width": 100, "height": 30}}]}]})");
}

std::vector<SpoolerJob> JobsOfEveryKind() {
    return {PhotographsJob(), ScalableWatermarkJob(), BitmapWatermarkJob(), RawJob()};
}

JobRun RunInFreshWorld(const SpoolerJob& job, const sim::unidrv::PluginModule& module,
                       const std::function<void(sim::World&)>& prepare) {
    const auto world = std::make_unique<sim::World>();
    world->uuids.Seed(kJobIdentifierSeed);
    if (prepare) {
        prepare(*world);
    }
    JobRun run;
    run.outcome =
        sim::unidrv::PlayJob(job.description, job.images, module, *world, job.driver);
    run.left = sim::CountLiveResources(*world);
    run.allocations = world->heap.allocations;
    run.engineCalls = world->engine.calls;
    run.fontCalls = world->screenFonts.calls;
    return run;
}

}  // namespace xlrender::testing
