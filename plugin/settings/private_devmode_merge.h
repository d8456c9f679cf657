// OEMDM_CONVERT and OEMDM_MERGE: bring a private devmode from the host into pOEMDMOut, group by
// group.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// Both take pOEMDMIn's groups when it is a complete block of the current version and write the
// groups' defaults otherwise (a missing or short input block counts as another version). Convert
// also rewrites the output header. False with ERROR_INVALID_DATA when there is no output block.
bool ConvertPrivateDevmode(OEMDMPARAM& param);
bool MergePrivateDevmode(OEMDMPARAM& param);

}  // namespace xlrender
