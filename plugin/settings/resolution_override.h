// The resolution synchronisation that follows converting and merging a private devmode.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// When pOEMDMOut's ResolutionOverride is set, forces dmPrintQuality and dmYResolution of both
// public devmodes to the dots per inch its ResolutionKeyword names. A host executable named
// QPW.EXE is left alone: it sets its own resolution. Missing public devmodes are skipped.
void ApplyResolutionOverride(OEMDMPARAM& param);

}  // namespace xlrender
