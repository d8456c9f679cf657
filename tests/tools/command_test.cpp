// The xlrender program as a user runs it: output and exit statuses.
#include <gtest/gtest.h>

#include <string>

#include "support/run_tool.h"

namespace {

using xlrender::testing::RunTool;
using xlrender::testing::ToolRun;

TEST(XlrenderCommand, InfoShowsWhatTheModuleAnnounces) {
    const ToolRun run = RunTool("info");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("signature:         KZUI (0x4B5A5549)"), std::string::npos);
    EXPECT_NE(run.output.find("plug-in version:   0x00110009"), std::string::npos);
    EXPECT_NE(run.output.find("implemented:       GetInfo DevMode EnableDriver DisableDriver "
                              "EnablePDEV DisablePDEV ResetPDEV CommandCallback SendFontCmd\n"),
              std::string::npos);
    EXPECT_NE(run.output.find("not implemented:   PublishDriverInterface"), std::string::npos);
    EXPECT_NE(run.output.find("DDI hooks:         13"), std::string::npos);
    EXPECT_NE(run.output.find("DrvPlgBlt (index 70)"), std::string::npos);
}

TEST(XlrenderCommand, ExitStatusesSeparateUsageFromFailedWork) {
    EXPECT_EQ(RunTool("").status, 2);
    EXPECT_EQ(RunTool("info --no-such-option").status, 2);
    const ToolRun missing = RunTool("info --module /nonexistent/module.so");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("/nonexistent/module.so"), std::string::npos);
    EXPECT_EQ(RunTool("--help").status, 0);
    const ToolRun version = RunTool("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "xlrender 0.1.0\n");
}

}  // namespace
