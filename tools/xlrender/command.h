// The xlrender program's subcommands. Each registers itself on the application and leaves the
// work to run once the command line has been parsed.
#pragma once

#include <functional>

#include <CLI/CLI.hpp>

namespace xlrender::tool {

// Exit statuses of the program.
constexpr int kExitSuccess = 0;
constexpr int kExitWorkFailed = 1;
constexpr int kExitBadInput = 2;

// The chosen subcommand's work; returns the exit status.
using CommandWork = std::function<int()>;

void AddInfoCommand(CLI::App& app, CommandWork& work);
void AddPrintCommand(CLI::App& app, CommandWork& work);
void AddDumpCommand(CLI::App& app, CommandWork& work);
void AddRenderCommand(CLI::App& app, CommandWork& work);
void AddDevmodeCommand(CLI::App& app, CommandWork& work);

}  // namespace xlrender::tool
