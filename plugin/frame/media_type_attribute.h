// The PCL XL MediaType attribute for the page Unidrv begins next, named after the media type
// of the public devmode as the printer driver lists it.
#pragma once

#include "frame/command_context.h"

namespace xlrender {

// One ubyte-array value and MediaType attribute for every listed media type whose id is the
// devmode's dmMediaType and whose name is not a single space; nothing when the lists cannot be
// read or disagree.
void WriteMediaTypeAttribute(const CommandContext& context);

// "@PJL SET PLANESINUSE=1", then the media-type attribute.
void WritePlanesInUseAndMediaType(const CommandContext& context);

}  // namespace xlrender
