// Photographs printed through every way GDI hands them over, rendered as the printer would:
// each lands where the job put it and matches its source (PSNR against the source pixels),
// through either row order, each clip form and a quarter turn; the blits the plug-in declines
// are still drawn, by Unidrv.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>

#include "gdi/clip_region.h"
#include "support/printed_pages.h"
#include "tools/xl_stream_builder.h"
#include "unidrv/image_file.h"

namespace {

using xlrender::testing::RenderedRgb;
using xlrender::testing::RenderStream;

// The job prints and the page renders at 150 dpi: one rendered pixel per device pixel, and
// the photograph (600 x 400) fits the page at its own size.
constexpr double kDpi = 150;
constexpr double kMillimetresPerInch = 25.4;
constexpr std::uint32_t kWhite = 0xFFFFFF;
const std::string kPhoto = std::string(XLRENDER_SOURCE_DIR) + "/examples/photo.jpg";

std::string Mm(int pixels) {
    std::ostringstream text;
    text.precision(10);
    text << pixels * kMillimetresPerInch / kDpi;
    return text.str();
}

std::string Rect(int x, int y, int width, int height) {
    return R"({"x": )" + Mm(x) + R"(, "y": )" + Mm(y) + R"(, "width": )" + Mm(width) +
           R"(, "height": )" + Mm(height) + "}";
}

// The photograph at (x, y), `size` pixels, with the item's other keys.
std::string Photo(int x, int y, int width, int height, const std::string& keys = "") {
    return R"({"image": ")" + kPhoto + R"(", "at": )" + Rect(x, y, width, height) + keys + "}";
}

// `jobKeys`: more keys of the job, each followed by a comma.
std::vector<RenderedRgb> PrintAndRender(const std::vector<std::string>& pages,
                                        const std::string& jobKeys = "") {
    std::string json = "{" + jobKeys + R"("printer": {"resolution": 150},
        "features": {"JPEGEnable": "Maximum"}, "publicDevmode": {"color": "color"}, "pages": [)";
    for (std::size_t p = 0; p < pages.size(); ++p) {
        json += std::string(p == 0 ? "" : ",") + R"({"content": [)" + pages[p] + "]}";
    }
    json += "]}";
    return xlrender::testing::PrintAndRenderJob(json, "image-paths", kDpi);
}

const sim::unidrv::BgrImage& Source() {
    static const sim::unidrv::BgrImage image = sim::unidrv::ReadImageFile(kPhoto);
    return image;
}

std::uint32_t SourceAt(int x, int y) {
    const std::uint8_t* bgr = &Source().pixels[y * Source().stride + x * 3];
    return static_cast<std::uint32_t>(bgr[2]) << 16 | bgr[1] << 8 | bgr[0];
}

// PSNR over the pixels of `width` x `height` at (left, top) that `counted` picks, against the
// colour `expected` gives for each (coordinates relative to the corner).
double Psnr(const RenderedRgb& page, int left, int top, int width, int height,
            const std::function<std::uint32_t(int, int)>& expected,
            const std::function<bool(int, int)>& counted = {}) {
    double squares = 0;
    double samples = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (counted && !counted(x, y)) {
                continue;
            }
            const std::uint32_t want = expected(x, y);
            const std::uint32_t got = page.At(left + x, top + y);
            for (int shift : {16, 8, 0}) {
                const double d =
                    static_cast<int>(got >> shift & 0xFF) - static_cast<int>(want >> shift & 0xFF);
                squares += d * d;
            }
            samples += 3;
        }
    }
    return squares == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 * samples / squares);
}

// White all round the rectangle: nothing spills past it.
void ExpectWhiteAround(const RenderedRgb& page, int left, int top, int width, int height) {
    for (int x = left; x < left + width; x += 7) {
        EXPECT_EQ(page.At(x, top - 1), kWhite) << "above (" << x << ", " << top << ")";
        EXPECT_EQ(page.At(x, top + height), kWhite) << "below (" << x << ", " << top << ")";
    }
    for (int y = top; y < top + height; y += 7) {
        EXPECT_EQ(page.At(left - 1, y), kWhite) << "left (" << left << ", " << y << ")";
        EXPECT_EQ(page.At(left + width, y), kWhite) << "right (" << left << ", " << y << ")";
    }
}

TEST(RenderedImagePaths, EveryBlitFunctionAndRowOrderLandsAndMatchesTheSource) {
    const std::vector<RenderedRgb> pages =
        PrintAndRender({Photo(60, 60, 600, 400) + "," +
                            Photo(60, 500, 600, 400, R"(, "surface": {"rows": "bottom-up"})") +
                            "," + Photo(60, 940, 600, 400, R"(, "via": "CopyBits")"),
                        Photo(60, 60, 600, 400, R"(, "via": "StretchBlt")") + "," +
                            Photo(60, 500, 600, 400, R"(, "via": "StretchBltROP", "rop": 34952)") +
                            "," + Photo(700, 60, 400, 600, R"(, "rotate": 90)") + "," +
                            Photo(60, 940, 600, 400, R"(, "via": "PlgBlt")")});
    ASSERT_EQ(pages.size(), 2u);
    const auto unturned = [](int x, int y) { return SourceAt(x, y); };
    const int tops[] = {60, 500, 940};
    for (const RenderedRgb& page : pages) {
        for (int top : tops) {
            EXPECT_GE(Psnr(page, 60, top, 600, 400, unturned), 45) << "at top " << top;
            ExpectWhiteAround(page, 60, top, 600, 400);
        }
    }
    // Turned clockwise: the source's top row runs down the right edge.
    const auto turned = [](int x, int y) { return SourceAt(y, 399 - x); };
    EXPECT_GE(Psnr(pages[1], 700, 60, 400, 600, turned), 45);
    ExpectWhiteAround(pages[1], 700, 60, 400, 600);
}

TEST(RenderedImagePaths, EachClipFormShowsThePhotographOnlyInsideIt) {
    // A rectangle list, a triangle enumerated as a path, an ellipse of many rectangles.
    const std::string list = R"(, "clip": {"rectangles": [)" + Rect(60, 60, 300, 200) + "," +
                             Rect(200, 160, 400, 300) + "]}";
    const std::string triangle = R"(, "clip": {"enumerate": "path", "polygon": [{"x": )" + Mm(60) +
                                 R"(, "y": )" + Mm(500) + R"(}, {"x": )" + Mm(660) + R"(, "y": )" +
                                 Mm(500) + R"(}, {"x": )" + Mm(60) + R"(, "y": )" + Mm(900) + "}]}";
    const std::string ellipse = R"(, "clip": {"ellipse": )" + Rect(60, 940, 600, 400) + "}";
    const std::vector<RenderedRgb> pages =
        PrintAndRender({Photo(60, 60, 600, 400, list) + "," + Photo(60, 500, 600, 400, triangle) +
                        "," + Photo(60, 940, 600, 400, ellipse)});
    ASSERT_EQ(pages.size(), 1u);
    const RenderedRgb& page = pages[0];
    using Inside = std::function<bool(int, int)>;
    const Inside inList = [](int x, int y) {
        return (x < 300 && y < 200) || (x >= 140 && x < 540 && y >= 100);
    };
    // One pixel's margin either side of the slanted and curved edges.
    const Inside inTriangle = [](int x, int y) { return 2 * x + 3 * y < 1200 - 4; };
    const Inside outTriangle = [](int x, int y) { return 2 * x + 3 * y > 1200 + 4; };
    const auto ellipseValue = [](int x, int y) {
        const double dx = (x + 0.5 - 300) / 300, dy = (y + 0.5 - 200) / 200;
        return dx * dx + dy * dy;
    };
    const Inside inEllipse = [&](int x, int y) { return ellipseValue(x, y) < 0.98; };
    const Inside outEllipse = [&](int x, int y) { return ellipseValue(x, y) > 1.02; };
    const struct {
        const char* what;
        int top;
        Inside inside;
        Inside outside;
    } clips[] = {{"rectangle list", 60, inList, [&](int x, int y) { return !inList(x, y); }},
                 {"polygon as a path", 500, inTriangle, outTriangle},
                 {"ellipse", 940, inEllipse, outEllipse}};
    const auto source = [](int x, int y) { return SourceAt(x, y); };
    const auto white = [](int, int) { return kWhite; };
    for (const auto& clip : clips) {
        EXPECT_GE(Psnr(page, 60, clip.top, 600, 400, source, clip.inside), 45) << clip.what;
        EXPECT_EQ(Psnr(page, 60, clip.top, 600, 400, white, clip.outside), INFINITY) << clip.what;
    }
}

TEST(RenderedImagePaths, DeclinedBlitsAreStillDrawnByUnidrv) {
    const std::vector<RenderedRgb> pages = PrintAndRender(
        {Photo(60, 60, 600, 400, R"(, "surface": {"format": "8bpp"})") + "," +
         Photo(60, 500, 600, 400, R"(, "surface": {"format": "32bpp", "rows": "bottom-up"})")});
    ASSERT_EQ(pages.size(), 1u);
    // Grey levels as the engine stores them in an 8-bit bitmap.
    const auto grey = [](int x, int y) {
        const std::uint32_t rgb = SourceAt(x, y);
        const std::uint32_t level =
            ((rgb >> 16) * 299 + (rgb >> 8 & 0xFF) * 587 + (rgb & 0xFF) * 114 + 500) / 1000;
        return level * 0x010101u;
    };
    EXPECT_EQ(Psnr(pages[0], 60, 60, 600, 400, grey), INFINITY);
    EXPECT_EQ(Psnr(pages[0], 60, 500, 600, 400, [](int x, int y) { return SourceAt(x, y); }),
              INFINITY);
}

TEST(RenderedImagePaths, BandsOfAStretchedPictureShowWhatTheWholePageShows) {
    // Drawn by Unidrv (a 32-bit surface) at 1.5 times its size, so that band edges cut its
    // rows, and the bands start at odd rows of it.
    const std::string photo = Photo(60, 61, 900, 600, R"(, "surface": {"format": "32bpp"})");
    const std::vector<RenderedRgb> whole = PrintAndRender({photo});
    const std::vector<RenderedRgb> banded =
        PrintAndRender({photo}, R"("banded": true, "bandHeight": 100,)");
    ASSERT_EQ(whole.size(), 1u);
    ASSERT_EQ(banded.size(), 1u);
    ASSERT_EQ(banded[0].width, whole[0].width);
    ASSERT_EQ(banded[0].height, whole[0].height);
    EXPECT_EQ(Psnr(banded[0], 0, 0, whole[0].width, whole[0].height,
                   [&](int x, int y) { return whole[0].At(x, y); }),
              INFINITY);
}

}  // namespace
