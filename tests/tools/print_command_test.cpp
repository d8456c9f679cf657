// xlrender print as a user runs it: job files, private settings by name, exit statuses and
// the all-or-nothing output file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/run_tool.h"
#include "unidrv/job_runner.h"

namespace {

using xlrender::testing::RunTool;
using xlrender::testing::ToolRun;

class PrintCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("xlrender-print-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Job(const std::string& json) {
        const std::filesystem::path file = folder_ / "job.json";
        std::ofstream(file) << json;
        return file.string();
    }
    std::string Output() const { return (folder_ / "out.spl").string(); }

    ToolRun Print(const std::string& json) {
        return RunTool("print " + Job(json) + " -o " + Output());
    }

    std::filesystem::path folder_;
};

TEST_F(PrintCommand, BadJobFilesAreUsageErrorsNamingFileAndPath) {
    ToolRun run = Print(R"({"pages": [{}], "privateDevmode": {"NoSuchField": 1}})");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("job.json: /privateDevmode/NoSuchField: unknown private devmode "
                              "field"),
              std::string::npos)
        << run.output;
    run = Print(R"({"pages": [{}], "privateDevmode": {"StorePin": "1234"}})");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("/privateDevmode/StorePin: expected a whole number"),
              std::string::npos);
    run = Print(R"({"pages": [{}], "privateDevmode": {"JobNameOverride": ")" +
                std::string(300, 'x') + R"("}})");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("longer than the field's 256 characters"), std::string::npos)
        << run.output;
    run = Print(R"({"pages": [{"content": [{"image": "missing.png",
        "at": {"x": 1, "y": 1, "width": 10, "height": 10}}]}]})");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("/pages/0/content/0/image"), std::string::npos);
    std::ofstream(folder_ / "corrupt.png") << "\x89PNG\r\n\x1A\n not really";
    run = Print(R"({"pages": [{"content": [{"image": "corrupt.png",
        "at": {"x": 1, "y": 1, "width": 10, "height": 10}}]}]})");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("corrupt.png"), std::string::npos);
    EXPECT_EQ(Print("not json").status, 2);
    EXPECT_FALSE(std::filesystem::exists(Output()));
}

TEST_F(PrintCommand, AFailedJobWritesNoFile) {
    const ToolRun run = RunTool("print " + Job(R"({"pages": [{}]})") + " -o " + Output() +
                                " --module /nonexistent/module.so");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("the job failed"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Output()));
}

TEST_F(PrintCommand, WritesTheSpoolFileOrStandardOutput) {
    const std::string job = Job(R"({"pages": [{}]})");
    ToolRun run = RunTool("print " + job + " -o " + Output());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_GT(std::filesystem::file_size(Output()), 0u);
    run = RunTool("print " + job + " -o -");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.rfind("\x1B%-12345X", 0), 0u);
    EXPECT_EQ(RunTool("print " + job + " -o - --dump").status, 2);
    // Nothing but the job and the spool file is left in the folder: no temporary files.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_)) {
        ++files;
    }
    EXPECT_EQ(files, 2u);
}

TEST_F(PrintCommand, StreamsTheSpoolTheCaptureRecords) {
    // Three raster photo pages: more than the output's write buffer, so it is written in parts.
    std::string pages;
    for (int page = 0; page < 3; ++page) {
        pages += std::string(page > 0 ? "," : "") + R"({"content": [{"image": ")" +
                 XLRENDER_SOURCE_DIR + R"(/examples/photo.jpg",
                 "at": {"x": 20, "y": 30, "width": 25.4, "height": 16.9333}}]})";
    }
    const std::string json = R"({"pages": [)" + pages + "]}";
    const ToolRun run = Print(json);
    ASSERT_EQ(run.status, 0) << run.output;
    std::ifstream written(Output(), std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(written),
                           std::istreambuf_iterator<char>()};
    const sim::unidrv::JobDescription job = sim::unidrv::ParseJobDescription(json, "/");
    const sim::unidrv::JobOutcome captured =
        sim::unidrv::RunJob(job, sim::unidrv::ReadJobImages(job), XLRENDER_MODULE_PATH);
    ASSERT_TRUE(captured.succeeded) << captured.failure;
    EXPECT_GT(file.size(), 1u << 20);
    EXPECT_TRUE(file == captured.spool) << file.size() << " bytes written, "
                                        << captured.spool.size() << " captured";
}

TEST_F(PrintCommand, TwoUpPutsThreePagesOnTwoSheets) {
    const ToolRun run =
        RunTool("print " + Job(R"({"privateDevmode": {"NupOption": 2}, "pages": [{}, {}, {}]})") +
                " -o " + Output() + " --dump");
    EXPECT_EQ(run.status, 0) << run.output;
    std::size_t pages = 0;
    for (std::size_t at = run.output.find("\nBeginPage"); at != std::string::npos;
         at = run.output.find("\nBeginPage", at + 1)) {
        ++pages;
    }
    EXPECT_EQ(pages, 2u);
}

}  // namespace
