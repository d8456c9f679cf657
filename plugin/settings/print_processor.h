// How the job reaches the printer: through which print processor and which spool path.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// Sets PrintProcessorKind and SpoolPath of the device context's private devmode from the
// printer's information. False when the printer cannot be read; the fields are then set as for
// an unknown processor (kind 3, raw spooling). Nothing is written without a private devmode.
bool DetectPrintProcessor(DEVOBJ* device);

}  // namespace xlrender
