// The "@PJL USAGE" line for printers whose description asks for usage statistics.
#pragma once

#include "frame/command_context.h"

namespace xlrender {

// Writes the usage line built from the option keyword of KZSendPJLUsageCmd; nothing when the
// feature has no option or the line cannot be built.
void WriteUsageCommand(const CommandContext& context);

}  // namespace xlrender
