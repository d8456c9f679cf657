// The simulated Unidrv playing a whole job through the built plug-in module.
#include "unidrv/job_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sim::unidrv {
namespace {

constexpr char kUniversalExit[] = "\x1B%-12345X";

JobOutcome RunText(const std::string& json, const DriverSide& driver = {}) {
    const JobDescription job = ParseJobDescription(json, "/");
    return RunJob(job, ReadJobImages(job), XLRENDER_MODULE_PATH, driver);
}

std::size_t Count(const std::string& haystack, const std::string& needle) {
    std::size_t count = 0;
    for (std::size_t at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

TEST(JobRunner, FramesTheJobAsThePrinterCommandsSay) {
    const JobOutcome outcome = RunText(R"({"pages": [{"content": []}, {"content": []}]})");
    ASSERT_TRUE(outcome.succeeded) << outcome.failure;
    const std::string& spool = outcome.spool;
    EXPECT_EQ(spool.rfind(kUniversalExit, 0), 0u);
    const std::size_t enter = spool.find("@PJL ENTER LANGUAGE=PCLXL\n) HP-PCL XL;2;1;");
    ASSERT_NE(enter, std::string::npos);
    const std::string ending = std::string(kUniversalExit) + "@PJL EOJ\n" + kUniversalExit;
    EXPECT_EQ(spool.substr(spool.size() - ending.size()), ending);
    // BeginSession with 600 dpi units, then OpenDataSource little-endian.
    EXPECT_NE(spool.find("\xD1\x58\x02\x58\x02\xF8\x89"), std::string::npos);
    EXPECT_NE(spool.find("\xC0\x01\xF8\x82\x48"), std::string::npos);
    // Each page starts with the A4 media size and BeginPage, then moves the page origin to the
    // printable corner: 4.2 mm at 600 dpi is 99 pixels.
    EXPECT_EQ(Count(spool, std::string("\xC0\x02\xF8\x25\xC0\x01\xF8\x26\x43"
                                       "\xD3\x63\x00\x63\x00\xF8\x2A\x75",
                                       17)),
              2u);
}

TEST(JobRunner, EveryBlitUnidrvDrawsSetsItsOwnRop) {
    const std::string job = R"({"pages": [{"content": [
        {"fill": "#1F4E79", "at": {"x": 20, "y": 20, "width": 10, "height": 10}},
        {"image": ")" XLRENDER_SOURCE_DIR R"(/examples/photo.jpg",
         "at": {"x": 30, "y": 50, "width": 50, "height": 30}}]}]})";
    const JobOutcome outcome = RunText(job);
    ASSERT_TRUE(outcome.succeeded) << outcome.failure;
    // Pattern copy right before the rectangle's colour, source copy right before the image's:
    // the page default (source OR paint) would tint the photograph with the fill's colour.
    const std::string setRop = "\xF8\x2C\x7B";
    const std::size_t fill = outcome.spool.find(std::string("\xC0\xF0") + setRop);
    const std::size_t image = outcome.spool.find(std::string("\xC0\xCC") + setRop);
    ASSERT_NE(fill, std::string::npos);
    ASSERT_NE(image, std::string::npos);
    EXPECT_LT(fill, image);
    EXPECT_LT(image, outcome.spool.find("\xF8\x67\xB0"));  // DestinationSize, BeginImage
}

TEST(JobRunner, BandsClipWhatEachBandDraws) {
    constexpr char kJob[] = R"({"banded": %s, "bandHeight": 1000, "pages": [{"content": [
        {"fill": "#000000", "at": {"x": 20, "y": 20, "width": 100, "height": 100}}]}]})";
    char unbanded[512];
    char banded[512];
    std::snprintf(unbanded, sizeof unbanded, kJob, "false");
    std::snprintf(banded, sizeof banded, kJob, "true");
    const std::string rectangle = "\xF8\x42\xA0";  // BoundingBox, Rectangle
    // 100 mm at 600 dpi is 2362 pixels: three 1000-pixel bands see a part of it each.
    EXPECT_EQ(Count(RunText(unbanded).spool, rectangle), 1u);
    EXPECT_EQ(Count(RunText(banded).spool, rectangle), 3u);
}

TEST(JobRunner, PrivateSettingsThatDoNotFitFailTheJob) {
    DriverSide driver;
    driver.privateDevmode.push_back({6000, "x"});
    const JobOutcome outcome = RunText(R"({"pages": [{}]})", driver);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.failure, "a private devmode setting lies outside the private devmode");
}

TEST(JobRunner, ARefusedSpoolWriteFailsTheJob) {
    const JobOutcome outcome = RunText(R"({"failSpoolWrite": 3, "pages": [{}]})");
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.failure, "the spool stream refused a write");
}

TEST(JobRunner, PicturesAreHeldFromTheirFirstPageToTheirLast) {
    // The same file named two ways is two pictures to the job: A on pages 1 and 3, B on page 2.
    const auto page = [](const std::string& file) {
        return std::string(R"({"content": [{"image": ")") + file +
               R"(", "at": {"x": 20, "y": 30, "width": 25.4, "height": 16.9333}}]})";
    };
    const std::string a = std::string(XLRENDER_SOURCE_DIR) + "/examples/photo.jpg";
    const std::string b = std::string(XLRENDER_SOURCE_DIR) + "/examples/../examples/photo.jpg";
    const JobDescription job = ParseJobDescription(
        R"({"pages": [)" + page(a) + "," + page(b) + "," + page(a) + ", {}]}", "/");
    const JobImages images = ReadJobImages(job);
    HeldPictures held(images);
    std::vector<std::size_t> heldAfterPage;
    for (const std::string& drawn : {a, b, a, std::string()}) {
        if (!drawn.empty()) {
            held.Get(drawn);
        }
        held.PagePrinted(heldAfterPage.size());
        heldAfterPage.push_back(held.Count());
    }
    EXPECT_EQ(heldAfterPage, (std::vector<std::size_t>{1, 1, 0, 0}));
    // A print of the job frees what it held, and holds nothing beyond the pictures' pages.
    EXPECT_TRUE(RunJob(job, images, XLRENDER_MODULE_PATH).succeeded);
}

TEST(JobRunner, AModuleThatCannotLoadIsNamed) {
    const JobDescription job = ParseJobDescription(R"({"pages": [{}]})", "/");
    const JobOutcome outcome = RunJob(job, {}, "/nonexistent/module.so");
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_NE(outcome.failure.find("/nonexistent/module.so"), std::string::npos);
    EXPECT_TRUE(outcome.spool.empty());
}

TEST(JobRunner, ABitBltOfAScaledPictureFailsTheJobSayingWhy) {
    const JobOutcome outcome = RunText(R"({"pages": [{"content": [{"image": ")" XLRENDER_SOURCE_DIR
                                       R"(/examples/photo.jpg", "via": "BitBlt",
        "at": {"x": 10, "y": 10, "width": 50, "height": 30}}]}]})");
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.failure,
              "drawing the page content failed: BitBlt and CopyBits draw a picture at its own "
              "size: it is 600 x 400 pixels, its place 1181 x 709 on sheet 1");
}

}  // namespace
}  // namespace sim::unidrv
