// Whole jobs through `xlrender print`, checked by reading the spool file back with
// `xlrender dump --strict`: the listing must be well-formed and carry the expected lines in
// order.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_tool.h"

namespace {

using xlrender::testing::RunTool;
using xlrender::testing::ToolRun;

struct JobCase {
    const char* name;
    const char* file;  // relative to the source tree
    std::vector<std::string> inOrder;
    std::size_t pages;
};

std::filesystem::path SourceFile(const char* relative) {
    return std::filesystem::path(XLRENDER_SOURCE_DIR) / relative;
}

std::size_t CountLinesStarting(const std::string& listing, const std::string& start) {
    std::size_t count = 0;
    for (std::size_t at = listing.find("\n" + start); at != std::string::npos;
         at = listing.find("\n" + start, at + 1)) {
        ++count;
    }
    return count;
}

class PrintedJob : public ::testing::TestWithParam<JobCase> {
protected:
    void SetUp() override {
        output_ = std::filesystem::temp_directory_path() /
                  ("xlrender-job-" + std::to_string(::getpid()) + "-" + GetParam().name + ".spl");
    }
    void TearDown() override { std::filesystem::remove(output_); }

    std::filesystem::path output_;
};

TEST_P(PrintedJob, IsWellFormedAndCarriesItsCommandsInOrder) {
    const JobCase& job = GetParam();
    const ToolRun printed =
        RunTool("print " + SourceFile(job.file).string() + " -o " + output_.string());
    ASSERT_EQ(printed.status, 0) << printed.output;
    const ToolRun listing = RunTool("dump --strict " + output_.string());
    ASSERT_EQ(listing.status, 0) << listing.output;
    std::size_t position = 0;
    for (const std::string& expected : job.inOrder) {
        const std::size_t found = listing.output.find(expected, position);
        ASSERT_NE(found, std::string::npos)
            << "missing after byte " << position << ": " << expected << "\n"
            << listing.output.substr(0, 4000);
        position = found + expected.size();
    }
    EXPECT_EQ(CountLinesStarting(listing.output, "BeginPage"), job.pages);
    EXPECT_EQ(CountLinesStarting(listing.output, "EndPage"), job.pages);
}

const JobCase kJobs[] = {
    {"demo",
     "examples/demo.json",
     {"<universal exit>", "@PJL SET STRINGCODESET=UTF8",
      "@PJL JOB NAME=\"Quarterly report.xlsx\"",
      "@PJL COMMENT \"XL Laser 4100 (Finance) (17.0.9.41); Microsoft Windows XP 5.1.2600.1; "
      "Unidrv 6.1.7601.17514\"",
      "@PJL COMMENT \"Username: alice; App Filename: Quarterly report.xlsx; 12-7-2026\"",
      "@PJL SET JOBATTR=\"JobAcct1=alice\"", "@PJL SET JOBATTR=\"JobAcct2=FIN-WS07\"",
      "@PJL SET JOBATTR=\"JobAcct3=FINANCE\"", "@PJL SET JOBATTR=\"JobAcct4=20261207150509\"",
      "@PJL SET TIMESTAMP=\"20261207150509\"",
      "@PJL DMINFO ASCIIHEX=\"0400040101020D101001153230323631323037313430353039\"",
      "@PJL SET HOLD=ON", "@PJL SET HOLDTYPE=PRIVATE", "@PJL SET HOLDKEY=\"4711\"",
      "@PJL SET USERNAME=\"alice\"", "@PJL SET JOBNAME=\"Quarterly repor\"",
      "@PJL USAGE = USAGE_XL4100,854a,ffffffff,02,20,01",
      "@PJL SET CONTENTORIENTATION=LANDSCAPE", "@PJL ENTER LANGUAGE=PCLXL",
      "BeginSession UnitsPerMeasure=(600, 600)", "OpenDataSource",
      "BeginPage Orientation=ePortraitOrientation MediaSize=eA4Paper MediaSource=eAutoSelect "
      "MediaType=\"Recycled\"",
      "BeginImage ColorMapping=eDirectPixel",
      "ReadImage StartLine=0 BlockHeight=400 CompressMode=eJPEGCompression", "EndImage",
      "EndPage PageCopies=2", "BeginPage",
      "EndPage PageCopies=2", "CloseDataSource", "EndSession", "@PJL EOJ"},
     2},
    {"raw",
     "tests/jobs/raw.json",
     {"@PJL JOB NAME=\"raw.prn\"", "BeginPage", "Rectangle", "\nEndPage\n", "BeginPage",
      "\nEndPage\n", "@PJL EOJ"},
     2},
    {"banded",
     "tests/jobs/banded.json",
     {"BeginPage Orientation=eLandscapeOrientation MediaSize=eLetterPaper",
      "Rectangle BoundingBox=(137, 137, 4861, 1200)", "BeginImage",
      "Rectangle BoundingBox=(137, 1200, 4861, 2400)", "BeginImage",
      "Rectangle BoundingBox=(137, 3600, 4861, 4625)", "EndPage PageCopies=1"},
     1},
    {"storage_proof",
     "tests/jobs/storage-mode-1.json",
     {"@PJL SET HOLD=PROOF\n@PJL SET USERNAME=\"bob\"\n@PJL SET JOBNAME=\"Budget 2027.doc\""},
     1},
    {"storage_quick_copy",
     "tests/jobs/storage-mode-3.json",
     {"@PJL SET HOLD=ON\n@PJL SET HOLDTYPE=PUBLIC\n@PJL SET USERNAME=\"bob\""},
     1},
    {"storage_stored_with_pin",
     "tests/jobs/storage-mode-4.json",
     {"@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET HOLDKEY=\"0007\""},
     1},
    {"image_paths",
     "tests/jobs/image-paths.json",
     {// BitBlt top-down, BitBlt bottom-up, CopyBits: at their own size.
      "SetCursor Point=(137, 137)", "DestinationSize=(600, 400)", "eJPEGCompression",
      "SetCursor Point=(846, 137)", "DestinationSize=(600, 400)", "eJPEGCompression",
      "SetCursor Point=(1555, 137)", "DestinationSize=(600, 400)", "eJPEGCompression",
      // StretchBlt, StretchBltROP (SRCAND), a quarter turn through PlgBlt.
      "DestinationSize=(1200, 800)", "eJPEGCompression", "SetROP ROP3=0x88",
      "DestinationSize=(1200, 800)", "eJPEGCompression", "SetCursor Point=(2972, 846)",
      "SourceWidth=400 SourceHeight=600 DestinationSize=(400, 600)", "eJPEGCompression",
      // A rectangle list, a polygon as a path, an ellipse of more than 256 rectangles.
      "SetClipMode ClipMode=eEvenOdd", "RectanglePath BoundingBox=(137, 2027, 609, 2145)",
      "SetClipReplace", "eJPEGCompression", "SetClipMode", "LinePath NumberOfPoints=3",
      "SetClipReplace", "eJPEGCompression", "SetClipMode", "LinePath", "SetClipReplace",
      "eJPEGCompression", "EndPage",
      // 8 and 32 bits per pixel and a brush ROP: Unidrv's own raster.
      "BeginPage", "eRLECompression", "eRLECompression", "SetROP ROP3=0xB8", "eRLECompression",
      "EndPage"},
     2},
    {"four_up",
     "tests/jobs/four-up.json",
     {"BeginPage", "Rectangle BoundingBox=(68, 68, 2312, 3339)",
      "Rectangle BoundingBox=(2450, 69, 4694, 3340)", "Rectangle", "Rectangle",
      "EndPage PageCopies=1", "BeginPage", "Rectangle", "EndPage PageCopies=1"},
     2},
    {"watermark",
     "examples/watermark.json",
     {"BeginPage", "Rectangle", "BeginFontHeader FontName=\"DejaVu SansKZ_WM\"", "EndFontHeader",
      "BeginChar", "EndChar", "PushGS", "SetCharAngle CharAngle=54.7",
      "PaletteData=<FF 00 00 FF FF FF>", "SetFont FontName=\"DejaVu SansKZ_WM\"",
      "Text TextData=\"CONFIDENTIAL\"", "PopGS", "EndPage", "BeginPage", "Rectangle", "PushGS",
      "Text TextData=\"CONFIDENTIAL\"", "PopGS", "EndPage", "@PJL EOJ"},
     2},
    {"watermark_four_up",
     "examples/watermark-4up.json",
     {"BeginFontHeader FontName=\"Liberation SerifKZ_WM\"", "SetCharAngle CharAngle=30",
      "Text TextData=\"DRAFT\"", "Text TextData=\"DRAFT\"", "Text TextData=\"DRAFT\"",
      "Text TextData=\"DRAFT\"", "EndPage", "Text TextData=\"DRAFT\"", "EndPage"},
     2},
};

INSTANTIATE_TEST_SUITE_P(Jobs, PrintedJob, ::testing::ValuesIn(kJobs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FailingJob, ARefusedSpoolWriteFailsTheJobAndWritesNoFile) {
    // The write fails after the job has started streaming: neither the spool file nor its
    // temporary file is left behind.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("xlrender-job-" + std::to_string(::getpid()) +
                                          "-failing");
    std::filesystem::create_directories(folder);
    const std::string job = SourceFile("tests/jobs/write-failure.json").string();
    const ToolRun printed = RunTool("print " + job + " -o " + (folder / "out.spl").string());
    EXPECT_EQ(printed.status, 1);
    EXPECT_EQ(printed.output,
              "xlrender print: " + job + ": the job failed: the spool stream refused a write\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove_all(folder);
}

}  // namespace
