// Watermarked jobs printed through the plug-in and rendered: where the watermark lands, along
// which line, in which colour and how dense, in both font forms.
#include <gtest/gtest.h>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "support/font_files.h"
#include "support/printed_pages.h"
#include "tools/xl_stream_builder.h"
#include "unidrv/nup_layout.h"

namespace {

using xlrender::testing::RenderedRgb;
using xlrender::testing::RenderStream;

constexpr double kRenderDpi = 100;
constexpr double kToRender = kRenderDpi / 600;
// Enough to tell a solid colour, and quick.
constexpr double kColourDpi = 25;
constexpr long kMargin = 99;  // the stand-in's unprintable border at 600 dpi
constexpr long kA4Width = 4961, kA4Height = 7016;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr std::uint32_t kWhite = 0xFFFFFF;

std::vector<RenderedRgb> PrintAndRender(const std::string& watermark, const std::string& extra,
                                        int pages, double dpi = kRenderDpi) {
    std::string pageList;
    for (int p = 0; p < pages; ++p) pageList += std::string(p ? "," : "") + "{}";
    std::ostringstream job;
    job << R"({"publicDevmode": {"color": "color"}, "features": {"ColorMode": "Color"},
              "system": {"fonts": [{"face": "Test Sans", "file": ")"
        << xlrender::testing::kDejaVuSans << R"("}]}, "watermark": )" << watermark << extra
        << R"(, "pages": [)" << pageList << "]}";
    return xlrender::testing::PrintAndRenderJob(job.str(), "watermark", dpi);
}

struct Ink {
    std::size_t count = 0;
    double cx = 0, cy = 0;  // centroid
    double angle = 0;       // principal axis, degrees counter-clockwise on the page
    std::uint32_t colour = kWhite;
};

// The watermark's pixels: everything not white on a page that holds nothing else.
Ink InkOf(const RenderedRgb& page, long x0 = 0, long y0 = 0, long x1 = 1 << 20, long y1 = 1 << 20) {
    Ink ink;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int y = std::max<long>(y0, 0); y < std::min<long>(y1, page.height); ++y) {
        for (int x = std::max<long>(x0, 0); x < std::min<long>(x1, page.width); ++x) {
            if (page.At(x, y) != kWhite) {
                ++ink.count;
                ink.colour = page.At(x, y);
                sx += x, sy += y, sxx += double(x) * x, syy += double(y) * y, sxy += double(x) * y;
            }
        }
    }
    if (ink.count != 0) {
        const double n = static_cast<double>(ink.count);
        ink.cx = sx / n, ink.cy = sy / n;
        const double vxx = sxx / n - ink.cx * ink.cx, vyy = syy / n - ink.cy * ink.cy,
                     vxy = sxy / n - ink.cx * ink.cy;
        // y grows downwards on the page: turn the axis back to counter-clockwise degrees.
        ink.angle = -0.5 * std::atan2(2 * vxy, vxx - vyy) * kDegreesPerRadian;
    }
    return ink;
}

// The clip of a slot on paper: the slot moved by the margins, as the sheet frame gives them.
struct Box {
    long x0, y0, x1, y1;
};
Box ClipOf(const RECTL& slot) {
    return {static_cast<long>((slot.left + kMargin) * kToRender),
            static_cast<long>((slot.top + 2 * kMargin) * kToRender),
            static_cast<long>(std::ceil((slot.right + kMargin) * kToRender)),
            static_cast<long>(std::ceil((slot.bottom - kMargin) * kToRender))};
}

const double kDiagonal = std::atan2(double(kA4Height), double(kA4Width)) * kDegreesPerRadian;

TEST(RenderedWatermark, CrossesAnA4PageAtTheSheetDiagonalInBothFontForms) {
    const Box clip = ClipOf({0, 0, kA4Width - 2 * kMargin, kA4Height - 2 * kMargin});
    for (const char* text : {"CONFIDENTIAL", "CONFIDENTIEL \u00C9T\u00C9"}) {
        const auto pages =
            PrintAndRender(std::string(R"({"text": ")") + text +
                               R"(", "face": "Test Sans", "size": 60, "shade": 8, "color": "red"})",
                           "", 1);
        ASSERT_EQ(pages.size(), 1u);
        const Ink ink = InkOf(pages[0]);
        ASSERT_GT(ink.count, 2000u) << text;
        EXPECT_NEAR(ink.angle, kDiagonal, 4) << text;
        EXPECT_NEAR(ink.cx, pages[0].width / 2.0, pages[0].width * 0.08) << text;
        EXPECT_NEAR(ink.cy, pages[0].height / 2.0, pages[0].height * 0.08) << text;
        EXPECT_EQ(ink.colour, 0xFF0000u) << text;
        EXPECT_EQ(InkOf(pages[0], clip.x0, clip.y0, clip.x1, clip.y1).count, ink.count)
            << text << ": ink outside the clip";
    }
}

TEST(RenderedWatermark, NUpSheetsCarryOneWatermarkInsideEachSlot) {
    for (const auto& [nupOption, perSheet] : {std::pair{2, 2}, std::pair{3, 4}}) {
        const auto sheets = PrintAndRender(
            R"({"text": "DRAFT", "face": "Test Sans", "size": 72, "shade": 8})",
            R"(, "privateDevmode": {"NupOption": )" + std::to_string(nupOption) + "}", perSheet);
        ASSERT_EQ(sheets.size(), 1u);
        const sim::unidrv::SheetLayout layout =
            sim::unidrv::LayOutSheet(perSheet, 0, perSheet, kA4Width - 2 * kMargin,
                                     kA4Height - 2 * kMargin, kA4Width, kA4Height, false);
        std::size_t inSlots = 0;
        for (const sim::unidrv::SheetSlot& slot : layout.slots) {
            const Box clip = ClipOf(slot.rectangle);
            const Ink ink = InkOf(sheets[0], clip.x0, clip.y0, clip.x1, clip.y1);
            EXPECT_GT(ink.count, 100u) << perSheet << "-up, page " << slot.pageNumber;
            const double slotCentreX = (slot.rectangle.left + slot.rectangle.right) / 2.0;
            EXPECT_NEAR(ink.cx, slotCentreX * kToRender, (clip.x1 - clip.x0) * 0.2);
            inSlots += ink.count;
        }
        EXPECT_EQ(inSlots, InkOf(sheets[0]).count) << perSheet << "-up: ink between slots";
    }
}

TEST(RenderedWatermark, FirstPageOnlyRightToLeftColoursAndShades) {
    const auto firstOnly = PrintAndRender(
        R"({"text": "DRAFT", "face": "Test Sans", "firstPageOnly": true, "shade": 8})", "", 2);
    ASSERT_EQ(firstOnly.size(), 2u);
    EXPECT_GT(InkOf(firstOnly[0]).count, 0u);
    EXPECT_EQ(InkOf(firstOnly[1]).count, 0u);

    const auto mirrored = PrintAndRender(
        R"({"text": "DRAFT", "face": "Test Sans", "size": 100, "shade": 8})",
        R"(, "system": {"uiLanguage": 1037, "fonts": [{"face": "Test Sans", "file": ")" +
            std::string(xlrender::testing::kDejaVuSans) + R"("}]})",
        1);
    EXPECT_NEAR(InkOf(mirrored[0]).angle, -kDiagonal, 5) << "a Hebrew interface mirrors it";

    const std::pair<const char*, std::uint32_t> colours[] = {
        {"black", 0x000000}, {"red", 0xFF0000},  {"yellow", 0xFFFF00}, {"green", 0x00FF00},
        {"cyan", 0x00FFFF},  {"blue", 0x0000FF}, {"magenta", 0xFF00FF}};
    for (const auto& [name, rgb] : colours) {
        const auto page = PrintAndRender(
            std::string(R"({"text": "INK", "face": "Test Sans", "shade": 8, "color": ")") + name +
                R"("})",
            "", 1, kColourDpi);
        EXPECT_EQ(InkOf(page[0]).colour, rgb) << name;
    }
    std::size_t previous = 0;
    for (int shade : {0, 4, 8}) {
        const auto page =
            PrintAndRender(R"({"text": "SHADE", "face": "Test Sans", "size": 120, "shade": )" +
                               std::to_string(shade) + "}",
                           "", 1);
        const std::size_t count = InkOf(page[0]).count;
        EXPECT_GT(count, previous * 3 / 2) << "shade " << shade << " is denser";
        previous = count;
    }
}

}  // namespace
