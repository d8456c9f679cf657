// The driver-identification comment lines of the job start, with everything they report
// gathered from the registry, the operating system, the spooler and the version resources.
#pragma once

#include "frame/command_context.h"

namespace xlrender {

// Writes both "@PJL COMMENT" lines, or nothing when any piece is missing: the product name,
// the version numbers, the driver's information, the plug-in's own module among the driver's
// dependent files and its file version, Unidrv's file version, the job's information.
void WriteDriverComment(const CommandContext& context);

}  // namespace xlrender
