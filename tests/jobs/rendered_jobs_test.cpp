// Whole jobs printed through the plug-in and rendered: fills keep their colour on their
// rectangle, photographs land on their rectangle within a device pixel and look like their
// source, and N-up pages lie in the slots the layout gave them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/run_tool.h"
#include "tools/xl_stream_builder.h"
#include "unidrv/image_file.h"
#include "unidrv/nup_layout.h"

namespace {

using xlrender::testing::RenderedRgb;
using xlrender::testing::RenderStream;
using xlrender::testing::RunTool;

constexpr double kMillimetresPerInch = 25.4;
constexpr double kRenderDpi = 100;
constexpr int kPrinterDpi = 600;
constexpr long kPrinterMarginPixels = 99;  // the stand-in's unprintable border, 4.19 mm
constexpr double kA4WidthMm = 210, kA4HeightMm = 297;

std::filesystem::path TempFile(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("xlrender-rendered-" + std::to_string(::getpid()) + "-" + name);
}

// Prints job `json` (written to a file) and renders every page of the spool at kRenderDpi.
std::vector<RenderedRgb> PrintAndRender(const std::string& jobFile) {
    const auto spool = TempFile("job.spl");
    const auto printed = RunTool("print " + jobFile + " -o " + spool.string());
    EXPECT_EQ(printed.status, 0) << printed.output;
    std::ifstream in(spool, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(spool);
    const auto run = RenderStream(bytes, kRenderDpi);
    EXPECT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    return run.pages;
}

struct PixelBox {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;  // x1, y1 one past the last pixel
};

PixelBox BoxOfColour(const RenderedRgb& page, std::uint32_t colour) {
    PixelBox box;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            if (page.At(x, y) == colour) {
                box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x + 1),
                       std::max(box.y1, y + 1)};
            }
        }
    }
    return box;
}

double RenderPixels(double millimetres) {
    return millimetres / kMillimetresPerInch * kRenderDpi;
}

TEST(RenderedJob, FillsAndThePhotographLandOnTheirRectanglesAndMatchTheSource) {
    // The photograph, 600 x 400 pixels, placed at one source pixel per rendered pixel.
    const std::string photo = std::string(XLRENDER_SOURCE_DIR) + "/examples/photo.jpg";
    const auto job = TempFile("photo.json");
    std::ofstream(job)
        << R"({"pages": [{"content": [
        {"fill": "#1F4E79", "at": {"x": 20, "y": 20, "width": 170, "height": 12}},
        {"image": ")"
        << photo << R"(", "at": {"x": 25.4, "y": 50.8, "width": 152.4, "height": 101.6}}]}]})";
    const std::vector<RenderedRgb> pages = PrintAndRender(job.string());
    std::filesystem::remove(job);
    ASSERT_EQ(pages.size(), 1u);
    const RenderedRgb& page = pages[0];

    const PixelBox fill = BoxOfColour(page, 0x1F4E79);
    EXPECT_NEAR(fill.x0, RenderPixels(20), 1);
    EXPECT_NEAR(fill.y0, RenderPixels(20), 1);
    EXPECT_NEAR(fill.x1, RenderPixels(190), 1);
    EXPECT_NEAR(fill.y1, RenderPixels(32), 1);

    const sim::unidrv::BgrImage source = sim::unidrv::ReadImageFile(photo);
    const int left = static_cast<int>(RenderPixels(25.4)),
              top = static_cast<int>(RenderPixels(50.8));
    double squaredError = 0;
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            const std::uint8_t* bgr = &source.pixels[y * source.stride + x * 3];
            const std::uint32_t rendered = page.At(left + x, top + y);
            const int errors[] = {static_cast<int>(rendered >> 16) - bgr[2],
                                  static_cast<int>(rendered >> 8 & 0xFF) - bgr[1],
                                  static_cast<int>(rendered & 0xFF) - bgr[0]};
            for (int e : errors) {
                squaredError += e * e;
            }
        }
    }
    const double meanSquared = squaredError / (3.0 * source.width * source.height);
    const double psnr = meanSquared == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / meanSquared);
    EXPECT_GE(psnr, 45) << "the photograph differs from its source";
    // Nothing spills past the rectangle.
    for (int x = left; x < left + source.width; ++x) {
        EXPECT_EQ(page.At(x, top - 1), 0xFFFFFFu) << "above, column " << x;
        EXPECT_EQ(page.At(x, top + source.height), 0xFFFFFFu) << "below, column " << x;
    }
    for (int y = top; y < top + source.height; ++y) {
        EXPECT_EQ(page.At(left - 1, y), 0xFFFFFFu) << "left, row " << y;
        EXPECT_EQ(page.At(left + source.width, y), 0xFFFFFFu) << "right, row " << y;
    }
}

TEST(RenderedJob, FourUpPagesLieInTheirSlots) {
    const std::vector<RenderedRgb> sheets =
        PrintAndRender(std::string(XLRENDER_SOURCE_DIR) + "/tests/jobs/four-up.json");
    ASSERT_EQ(sheets.size(), 2u);
    const std::uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};
    const long paperWidth = std::lround(kA4WidthMm / kMillimetresPerInch * kPrinterDpi);
    const long paperHeight = std::lround(kA4HeightMm / kMillimetresPerInch * kPrinterDpi);
    const double toRender = kRenderDpi / kPrinterDpi;
    for (std::size_t sheet = 0; sheet < sheets.size(); ++sheet) {
        const sim::unidrv::SheetLayout layout =
            sim::unidrv::LayOutSheet(4, sheet, 5, paperWidth - 2 * kPrinterMarginPixels,
                                     paperHeight - 2 * kPrinterMarginPixels, false);
        for (const sim::unidrv::SheetSlot& slot : layout.slots) {
            const PixelBox box = BoxOfColour(sheets[sheet], colours[slot.pageNumber - 1]);
            ASSERT_GE(box.x1, 0) << "page " << slot.pageNumber << " is missing";
            // The slot on paper: device pixels of the printable area, moved by the margin.
            EXPECT_GE(box.x0, (slot.rectangle.left + kPrinterMarginPixels) * toRender - 1);
            EXPECT_GE(box.y0, (slot.rectangle.top + kPrinterMarginPixels) * toRender - 1);
            EXPECT_LE(box.x1, (slot.rectangle.right + kPrinterMarginPixels) * toRender + 1);
            EXPECT_LE(box.y1, (slot.rectangle.bottom + kPrinterMarginPixels) * toRender + 1);
            // A logical page filled to 10 mm of its edges fills most of its slot.
            EXPECT_GT((box.x1 - box.x0) * 10,
                      (slot.rectangle.right - slot.rectangle.left) * toRender * 8);
        }
    }
}

}  // namespace
