// Job files: every field read, and every bad input named by its JSON path.
#include "unidrv/job_description.h"

#include <gtest/gtest.h>

#include <string>

namespace sim::unidrv {
namespace {

constexpr char kOnePage[] = R"({"pages": [{"content": []}]})";

std::string ErrorOf(const std::string& json) {
    try {
        ParseJobDescription(json, "/jobs");
    } catch (const JobFileError& error) {
        return error.what();
    }
    return "no error";
}

TEST(JobDescription, DefaultsFillEverythingNotGiven) {
    const JobDescription job = ParseJobDescription(kOnePage, "/jobs");
    EXPECT_EQ(job.printer.resolution, 600);
    EXPECT_EQ(job.publicDevmode.paper, "A4");
    EXPECT_EQ(job.publicDevmode.copies, 1);
    EXPECT_FALSE(job.banded);
    EXPECT_EQ(job.printerCommands.jobStart, DefaultPrinterCommands().jobStart);
    ASSERT_EQ(job.pages.size(), 1u);
}

TEST(JobDescription, ReadsContentOptionsAndCommands) {
    const JobDescription job = ParseJobDescription(R"({
      "printer": {"name": "P", "port": "LPT1:", "resolution": 300, "papers": ["A4", "Letter"]},
      "features": {"ColorMode": "Mono"},
      "publicDevmode": {"paper": "Letter", "orientation": "landscape", "copies": 3,
                        "collate": false, "duplex": "long-edge", "color": "color"},
      "job": {"id": 9, "document": "Report", "dataType": "RAW"},
      "banded": true, "bandHeight": 100,
      "printerCommands": {"pageEnd": ["EndPage", "pjl @PJL COMMENT x", "callback 7"]},
      "pages": [{"content": [
        {"image": "photo.png", "at": {"x": 1, "y": 2, "width": 30, "height": 20},
         "clip": {"x": 1, "y": 2, "width": 10, "height": 10}},
        {"fill": "#00ff80", "at": {"x": 0, "y": 0, "width": 5, "height": 5}}]}]})",
                                                   "/jobs");
    EXPECT_EQ(job.printer.port, "LPT1:");
    EXPECT_EQ(job.features.at("ColorMode"), "Mono");
    EXPECT_EQ(job.publicDevmode.copies, 3);
    EXPECT_EQ(job.job.dataType, "RAW");
    EXPECT_TRUE(job.banded);
    ASSERT_EQ(job.printerCommands.pageEnd.size(), 3u);
    EXPECT_EQ(job.printerCommands.pageEnd[1].text, "@PJL COMMENT x");
    EXPECT_EQ(job.printerCommands.pageEnd[2].callbackId, 7u);
    const auto& image = std::get<ImageContent>(job.pages[0].content[0]);
    EXPECT_EQ(image.file, "/jobs/photo.png");
    ASSERT_TRUE(image.clip.has_value());
    EXPECT_EQ(std::get<FillContent>(job.pages[0].content[1]).rgb, 0x00FF80u);
}

TEST(JobDescription, BadInputNamesItsPath) {
    EXPECT_NE(ErrorOf("{").find("not valid JSON"), std::string::npos);
    // A number too large for any type is bad JSON too, not an escaping parser exception.
    EXPECT_NE(ErrorOf("{\"job\": {\"id\": 8e999}}").find("not valid JSON"), std::string::npos);
    EXPECT_EQ(ErrorOf(R"({"pages": [{"content": []}], "colour": 1})"), "/colour: unknown key");
    EXPECT_EQ(ErrorOf(R"({"pages": [{"content": [], "extra": 1}]})"),
              "/pages/0/extra: unknown key");
    EXPECT_EQ(ErrorOf(R"({"printer": {"resolution": "600"}, "pages": [{}]})"),
              "/printer/resolution: expected a whole number");
    EXPECT_EQ(ErrorOf(R"({"publicDevmode": {"copies": 0}, "pages": [{}]})"),
              "/publicDevmode/copies: must lie between 1 and 9999");
    EXPECT_EQ(ErrorOf(R"({"pages": []})"), "/pages: a job needs at least one page");
    EXPECT_EQ(ErrorOf(R"({"pages": [{"content": [{"fill": "#000000",
              "at": {"x": 0, "y": 0, "width": -5, "height": 5}}]}]})"),
              "/pages/0/content/0/at/width: must lie between 0 and 2000");
    EXPECT_EQ(ErrorOf(R"({"printer": {"papers": ["Letter"]}, "pages": [{}]})"),
              "/publicDevmode/paper: the printer has no A4 paper");
    EXPECT_EQ(ErrorOf(R"({"pages": [{"content": [{"fill": "#000000",
              "at": {"x": 100, "y": 0, "width": 111, "height": 5}}]}]})"),
              "/pages/0/content/0/at: lies outside the A4 page (210 x 297 mm)");
    EXPECT_EQ(ErrorOf(R"({"printerCommands": {"jobStart": ["callback x"]}, "pages": [{}]})"),
              "/printerCommands/jobStart/0: expected a printer command (\"uel\", "
              "\"pjl @PJL ...\", \"callback N\", \"stream-header\", or a framing operator)");
    EXPECT_EQ(ErrorOf(R"({"pages": [{"content": [{"at": {"x": 0, "y": 0, "width": 1,
              "height": 1}}]}]})"),
              "/pages/0/content/0: give exactly one of \"image\" (a PNG or JPEG file) and "
              "\"fill\" (a colour)");
    EXPECT_EQ(ErrorOf(R"({"publicDevmode": {"orientation": "sideways"}, "pages": [{}]})"),
              "/publicDevmode/orientation: \"sideways\" is not one of landscape, portrait");
}

TEST(JobDescription, LandscapeSwapsThePageForTheFitCheck) {
    EXPECT_NO_THROW(ParseJobDescription(R"({"publicDevmode": {"orientation": "landscape"},
        "pages": [{"content": [{"fill": "#000000",
        "at": {"x": 250, "y": 0, "width": 40, "height": 200}}]}]})",
                                        "/jobs"));
}

}  // namespace
}  // namespace sim::unidrv
