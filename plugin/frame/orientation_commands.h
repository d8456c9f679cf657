// The page orientation attribute and the content orientation line of the job header.
#pragma once

#include "frame/command_context.h"

namespace xlrender {

// The PCL XL Orientation attribute (a ubyte value and the attribute id, no operator: the
// BeginPage Unidrv writes next takes it), turned by 180 degrees for stapled 2-up and 6-up
// landscape jobs and for manual-duplex back sides that need it. Keeps the public orientation
// for the watermarks.
void WriteOrientationAttribute(const CommandContext& context);

// "@PJL SET CONTENTORIENTATION=" for portrait and landscape jobs.
void WriteContentOrientation(const CommandContext& context);

}  // namespace xlrender
