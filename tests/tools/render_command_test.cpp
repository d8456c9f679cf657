// The xlrender render command as a user runs it: PNG files named by page, the page selection,
// and the usage errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_tool.h"

namespace {

using xlrender::testing::RunTool;

class RenderCommand : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("xlrender-render-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        spool_ = (folder_ / "job.spl").string();
        const auto printed = RunTool("print " + std::string(XLRENDER_SOURCE_DIR) +
                                     "/tests/jobs/four-up.json -o " + spool_);
        ASSERT_EQ(printed.status, 0) << printed.output;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
    std::string spool_;
};

bool IsPng(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char signature[8] = {};
    in.read(signature, sizeof signature);
    return std::string(signature, sizeof signature) == "\x89PNG\r\n\x1A\n";
}

TEST_F(RenderCommand, WritesOnePngPerPageNamedByItsNumber) {
    const std::string pattern = (folder_ / "sheet-%d.png").string();
    const auto run = RunTool("render " + spool_ + " -o " + pattern + " -r 50");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("page 2: " + (folder_ / "sheet-2.png").string()), std::string::npos)
        << run.output;
    EXPECT_TRUE(IsPng(folder_ / "sheet-1.png"));
    EXPECT_TRUE(IsPng(folder_ / "sheet-2.png"));
}

TEST_F(RenderCommand, OnePageGoesToANameWithoutItsNumber) {
    const std::string single = (folder_ / "second.png").string();
    const auto run = RunTool("render " + spool_ + " -o " + single + " --pages 2");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(IsPng(single));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "sheet-1.png"));
}

TEST_F(RenderCommand, RefusesUsageErrorsWithoutWritingAnything) {
    const std::string single = (folder_ / "all.png").string();
    const struct {
        std::string options;
        std::string says;
    } cases[] = {
        {"-o " + single, "2 pages are to be drawn into the one file"},
        {"-o " + single + " -r 1300", "Value 1300 not in range 50 to 1200"},
        {"-o " + single + " --pages 3-2", "--pages wants A-B or A"},
        {"-o " + single + " --pages x", "--pages wants A-B or A"},
    };
    for (const auto& c : cases) {
        const auto run = RunTool("render " + spool_ + " " + c.options);
        EXPECT_EQ(run.status, 2) << c.options;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
    }
    const auto beyond = RunTool("render " + spool_ + " -o " + single + " --pages 5");
    EXPECT_EQ(beyond.status, 1);
    EXPECT_NE(beyond.output.find("prints 2 pages, none of those asked for"), std::string::npos)
        << beyond.output;
    EXPECT_FALSE(std::filesystem::exists(single));
}

}  // namespace
