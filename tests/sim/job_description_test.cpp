// Job files: every field read, and every bad input named by its JSON path.
#include "unidrv/job_description.h"

#include <gtest/gtest.h>

#include <string>

#include "support/font_files.h"

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

// An image item with `keys` added after its file and place.
std::string ImageJob(const std::string& keys) {
    return R"({"pages": [{"content": [{"image": "p.png", "at": {"x": 1, "y": 1, "width": 9,
            "height": 9})" + keys + "}]}]}";
}

TEST(JobDescription, ImageKeysSayHowGdiHandsThePictureOver) {
    const auto image = [](const std::string& keys) {
        return std::get<ImageContent>(ParseJobDescription(ImageJob(keys), "/").pages[0].content[0]);
    };
    const ImageContent plain = image("");
    EXPECT_FALSE(plain.via.has_value());
    EXPECT_EQ(plain.rop4, 0xCCCCu);
    EXPECT_TRUE(plain.surface.topDown);
    EXPECT_EQ(plain.surface.bitsPerPixel, 24);
    const ImageContent turned = image(R"(, "via": "PlgBlt", "rotate": 270,
        "surface": {"rows": "bottom-up", "format": "8bpp"})");
    EXPECT_EQ(turned.via, BlitVia::kPlgBlt);
    EXPECT_EQ(turned.rotate, 270);
    EXPECT_FALSE(turned.surface.topDown);
    EXPECT_EQ(turned.surface.bitsPerPixel, 8);
    EXPECT_EQ(image(R"(, "via": "StretchBltROP", "rop": 26214)").rop4, 0x6666u);
    const ImageContent listed = image(R"(, "clip": {"rectangles": [
        {"x": 1, "y": 1, "width": 2, "height": 2}, {"x": 3, "y": 3, "width": 2, "height": 2}],
        "enumerate": "path"})");
    ASSERT_TRUE(listed.clip.has_value());
    EXPECT_EQ(listed.clip->kind, ClipShape::Kind::kRectangles);
    EXPECT_EQ(listed.clip->rectangles.size(), 2u);
    EXPECT_TRUE(listed.clip->enumerateAsPath);
    const ImageContent polygon =
        image(R"(, "clip": {"polygon": [{"x": 1, "y": 1}, {"x": 5, "y": 1}, {"x": 1, "y": 5}]})");
    EXPECT_EQ(polygon.clip->polygon.size(), 3u);
    EXPECT_FALSE(polygon.clip->enumerateAsPath);
    EXPECT_EQ(image(R"(, "clip": {"ellipse": {"x": 1, "y": 1, "width": 5, "height": 3}})")
                  .clip->kind,
              ClipShape::Kind::kEllipse);
}

TEST(JobDescription, ImageKeysThatContradictEachOtherAreRefused) {
    const std::string item = "/pages/0/content/0";
    EXPECT_EQ(ErrorOf(ImageJob(R"(, "via": "DrawIt")")),
              item + "/via: \"DrawIt\" is not one of BitBlt, StretchBlt, StretchBltROP, "
                     "CopyBits, PlgBlt");
    EXPECT_EQ(ErrorOf(ImageJob(R"(, "via": "StretchBlt", "rop": 34952)")),
              item + "/rop: only BitBlt and StretchBltROP take a ROP");
    EXPECT_EQ(ErrorOf(ImageJob(R"(, "rop": 65536)")), item + "/rop: must lie between 0 and 65535");
    EXPECT_EQ(ErrorOf(ImageJob(R"(, "rotate": 45)")), item + "/rotate: must be 0, 90, 180 or 270");
    EXPECT_EQ(ErrorOf(ImageJob(R"(, "rotate": 90, "via": "BitBlt")")),
              item + "/rotate: a turned picture goes through PlgBlt");
    EXPECT_EQ(ErrorOf(ImageJob(R"(, "surface": {"format": "16bpp"})")),
              item + "/surface/format: \"16bpp\" is not one of 24bpp, 32bpp, 8bpp");
    EXPECT_EQ(ErrorOf(ImageJob(R"(, "clip": {"polygon": [{"x": 1, "y": 1}, {"x": 2, "y": 2}]})")),
              item + "/clip/polygon: a polygon needs at least three corners");
    EXPECT_EQ(ErrorOf(ImageJob(R"(, "clip": {"ellipse": {"x": 1, "y": 1, "width": 5,
              "height": 3}, "polygon": []})")),
              item + "/clip: give a rectangle or exactly one of \"rectangles\", \"polygon\" and "
                     "\"ellipse\"");
    EXPECT_EQ(ErrorOf(R"({"pages": [{"content": [{"fill": "#000000", "via": "BitBlt",
              "at": {"x": 0, "y": 0, "width": 5, "height": 5}}]}]})"),
              item + "/via: unknown key");
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


TEST(JobDescription, WatermarkShorthandFontsAndLanguage) {
    const JobDescription job = ParseJobDescription(R"({
      "watermark": {"text": "DRAFT", "face": "Serif", "size": 72, "angle": -20, "mirror": true,
                    "style": "bold-italic", "shade": 8, "color": "magenta",
                    "firstPageOnly": true, "resizeToPaper": false},
      "system": {"language": 1037, "fonts": [{"face": "Serif", "bold": true,
                                              "file": "LiberationSerif-Regular.ttf"}]},
      "pages": [{"content": []}]})",
                                                   "/usr/share/fonts/truetype/liberation2");
    std::map<std::string, std::variant<long long, double, std::string>> fields;
    for (const PrivateDevmodeSetting& setting : job.privateDevmode) {
        fields[setting.name] = setting.value;
    }
    EXPECT_EQ(std::get<long long>(fields["WatermarkEnabled"]), 1);
    EXPECT_EQ(std::get<std::string>(fields["WatermarkText"]), "DRAFT");
    EXPECT_EQ(std::get<long long>(fields["WatermarkAngle"]), -20);
    EXPECT_EQ(std::get<long long>(fields["WatermarkAngleMode"]), 2) << "mirrored fixed angle";
    EXPECT_EQ(std::get<long long>(fields["WatermarkStyle"]), 3);
    EXPECT_EQ(std::get<long long>(fields["WatermarkColor"]), 6);
    EXPECT_EQ(std::get<long long>(fields["WatermarkFirstPageOnly"]), 1);
    EXPECT_EQ(job.system.language, 1037);
    ASSERT_EQ(job.system.fonts.size(), 1u);
    EXPECT_EQ(job.system.fonts[0].file, xlrender::testing::kLiberationSerif);

    EXPECT_EQ(ErrorOf(R"({"watermark": {"text": "A"}, "privateDevmode": {"WatermarkText": "B"},
                         "pages": [{}]})"),
              "/watermark/text: names the same field as /privateDevmode/WatermarkText");
    EXPECT_EQ(ErrorOf(R"({"watermark": {"angle": "diagonal", "mirror": false}, "pages": [{}]})"),
              "/watermark/mirror: the diagonal always turns with a right-to-left interface; "
              "mirror applies to a fixed angle");
    EXPECT_EQ(ErrorOf(R"({"watermark": {"shade": 9}, "pages": [{}]})"),
              "/watermark/shade: must lie between 0 and 8");
    EXPECT_EQ(ErrorOf(R"({"system": {"fonts": [{"face": "X", "file": "missing.ttf"}]},
                         "pages": [{}]})"),
              "/system/fonts/0/file: no font file at /jobs/missing.ttf");
}

}  // namespace
}  // namespace sim::unidrv
