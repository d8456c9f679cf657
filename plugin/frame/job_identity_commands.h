// The job identity commands of the job header, each gathering what it reports from the device
// context, the spooler and the registry.
#pragma once

#include "frame/command_context.h"

namespace xlrender {

// Job start: with job accounting on, the string code set and job name lines; then the driver
// comment; then, with job accounting on, the accounting block.
void WriteJobStart(const CommandContext& context);

// "@PJL DMINFO ASCIIHEX" when the printer description asks for the born-on date.
void WriteDeviceManagementDate(const CommandContext& context);

// "@PJL SET USERNAME" when the printer description asks for job-by-job user names.
void WriteJobUserName(const CommandContext& context);

// "@PJL SET MANUALDUPLEX=ON" while manual duplex is in force.
void WriteManualDuplex(const CommandContext& context);

}  // namespace xlrender
