// Logical pages per sheet, shared by the PJL, page-hook, escape and watermark code.
#include "settings/job_settings.h"

namespace xlrender {

DWORD PagesPerSheet(DWORD nupOption) {
    switch (nupOption) {
        case 2: return 2;
        case 3: return 4;
        case 4: return 6;
        case 5: return 9;
        case 6:
        case 7: return 16;
        default: return 1;
    }
}

DWORD EffectivePagesPerSheet(const PrivateDevmode& devmode, const JobSettings& settings,
                             const DEVMODEW* publicDevmode) {
    const bool simplex = publicDevmode != nullptr && publicDevmode->dmDuplex == DMDUP_SIMPLEX;
    if (devmode.SimplexSingleLayout != 0 && simplex && devmode.ManualDuplexSelected == 0 &&
        settings.ManualDuplexActive == 0) {
        return 1;
    }
    return PagesPerSheet(devmode.NupOption);
}

}  // namespace xlrender
