// Escape 3880's block: what the user interface shows of the device context's settings.
#pragma once

#include "platform/win32_api.h"
#include "settings/job_settings.h"
#include "settings/private_devmode.h"

namespace xlrender {

// Writes the 1892-byte block into `out` (any alignment). The block's unwritten bytes keep what
// `out` held; each text is cut to its field and terminated within it.
void FillSettingsSnapshot(void* out, const PrivateDevmode& devmode, const JobSettings& settings);

}  // namespace xlrender
