// Prints a job description through the built xlrender program, as a user would, and renders the
// spool file it wrote: the pages as the printer would show them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/run_tool.h"
#include "tools/xl_stream_builder.h"

namespace xlrender::testing {

// `name` keeps the temporary files of different tests apart.
inline std::vector<RenderedRgb> PrintAndRenderJob(const std::string& jobJson,
                                                  const std::string& name, double dpi) {
    const std::string base = (std::filesystem::temp_directory_path() /
                              ("xlrender-" + name + "-" + std::to_string(::getpid())))
                                 .string();
    std::ofstream(base + ".json") << jobJson;
    const auto printed = RunTool("print " + base + ".json -o " + base + ".spl");
    EXPECT_EQ(printed.status, 0) << printed.output;
    std::ifstream in(base + ".spl", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(base + ".json");
    std::filesystem::remove(base + ".spl");
    const auto run = RenderStream(bytes, dpi);
    EXPECT_TRUE(run.outcome.succeeded) << run.outcome.failure;
    return run.pages;
}

}  // namespace xlrender::testing
