// The devmode subcommand, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/run_tool.h"

namespace {

using RunResult = xlrender::testing::ToolRun;
using xlrender::testing::RunTool;

class DevmodeCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("xlrender-devmode-" + std::to_string(::getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory_);
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    std::string PathOf(const std::string& name) { return (directory_ / name).string(); }
    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }
    std::string ReadFile(const std::string& name) {
        std::ifstream file(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    std::filesystem::path directory_;
};

TEST_F(DevmodeCommandTest, DefaultWritesABlobThatShowLists) {
    WriteFile("public.json", R"({"dmPaperSize": 9, "dmColor": 1, "dmFormName": "A4"})");
    const RunResult written = RunTool("devmode default --public-json " + PathOf("public.json") +
                                      " -o " + PathOf("dm.bin"));
    ASSERT_EQ(written.status, 0) << written.output;
    ASSERT_EQ(ReadFile("dm.bin").size(), 5412u);

    const RunResult shown = RunTool("devmode show " + PathOf("dm.bin"));
    ASSERT_EQ(shown.status, 0) << shown.output;
    for (const char* line : {"0x0004  header    dwSignature                \"KZUI\" (0x4B5A5549)",
                             "0x0720  4         NupOption                  1",
                             "0x06FC  3         ResizePaperSize            9",
                             "0x00A4  2         Grayscale                  1",
                             "0x02CC  3         WatermarkText              \" [none]\"",
                             "0x116C  reserved  reserved[512]              all 00",
                             "0x0BB0  5         DuplicateJobCheck          0"}) {
        EXPECT_NE(shown.output.find(line), std::string::npos) << line;
    }
}

TEST_F(DevmodeCommandTest, ShowRefusesTruncatedForeignAndOtherVersionBlobs) {
    ASSERT_EQ(RunTool("devmode default -o " + PathOf("dm.bin")).status, 0);
    const std::string good = ReadFile("dm.bin");

    WriteFile("short.bin", good.substr(0, 5000));
    RunResult result = RunTool("devmode show " + PathOf("short.bin"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("5000 bytes; a private devmode is 5412 bytes"), std::string::npos)
        << result.output;

    std::string foreign = good;
    foreign.replace(4, 4, "ABCD");
    WriteFile("foreign.bin", foreign);
    result = RunTool("devmode show " + PathOf("foreign.bin"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("is not KZUI"), std::string::npos) << result.output;

    std::string older = good;
    older[8] = 0x08;
    WriteFile("older.bin", older);
    result = RunTool("devmode show " + PathOf("older.bin"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("version 0x00110008 is not the current version"),
              std::string::npos)
        << result.output;

    result = RunTool("devmode show " + PathOf("missing.bin"));
    EXPECT_EQ(result.status, 2);
}

TEST_F(DevmodeCommandTest, BadPublicJsonWritesNothing) {
    for (const char* json : {R"({"dmBogus": 1})", R"({"dmCopies": 40000})", R"([1])", "{"}) {
        WriteFile("public.json", json);
        const RunResult result = RunTool("devmode default --public-json " + PathOf("public.json") +
                                         " -o " + PathOf("dm.bin"));
        EXPECT_EQ(result.status, 2) << json;
        EXPECT_NE(result.output.find("public.json: "), std::string::npos) << result.output;
        EXPECT_FALSE(std::filesystem::exists(PathOf("dm.bin"))) << json;
    }
}

}  // namespace
