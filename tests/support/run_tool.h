// Runs the built xlrender program as a user would and collects what it says.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace xlrender::testing {

struct ToolRun {
    int status;
    std::string output;  // standard output and standard error together
};

inline ToolRun RunTool(const std::string& arguments) {
    const std::string command = std::string(XLRENDER_TOOL_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun run{-1, {}};
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.output.append(buffer, read);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace xlrender::testing
