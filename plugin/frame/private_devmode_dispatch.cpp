#include "frame/private_devmode_dispatch.h"

#include "settings/devmode_identity.h"
#include "settings/private_devmode_defaults.h"
#include "settings/private_devmode_merge.h"
#include "settings/resolution_override.h"

namespace xlrender {
namespace {

// The block must be the real structure of this build (the pointers it carries sit past the
// 32-bit layout's 36 bytes on a 64-bit build), name a printer and a module, have somewhere to
// write when it announces a buffer, and bring an input devmode to merge.
bool IsValidParameterBlock(DWORD mode, const OEMDMPARAM& parameters) {
    if (parameters.cbSize < sizeof(OEMDMPARAM) || parameters.hPrinter == nullptr ||
        parameters.hModule == nullptr) {
        return false;
    }
    if (parameters.cbBufSize != 0 && parameters.pOEMDMOut == nullptr) {
        return false;
    }
    return mode != OEMDM_MERGE || parameters.pOEMDMIn != nullptr;
}

}  // namespace

HRESULT DispatchPrivateDevmode(DWORD mode, OEMDMPARAM* parameters) {
    if (parameters == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return E_FAIL;
    }
    if (!IsValidParameterBlock(mode, *parameters)) {
        return E_FAIL;
    }
    if (mode == OEMDM_SIZE) {
        parameters->cbBufSize = kPrivateDevmodeSize;
        return S_OK;
    }
    if (parameters->cbBufSize < kPrivateDevmodeSize) {
        return E_FAIL;
    }
    bool succeeded = false;
    switch (mode) {
        case OEMDM_DEFAULT:
            return SetPrivateDevmodeDefaults(*parameters) ? S_OK : E_FAIL;
        case OEMDM_CONVERT: succeeded = ConvertPrivateDevmode(*parameters); break;
        case OEMDM_MERGE: succeeded = MergePrivateDevmode(*parameters); break;
        default: return E_FAIL;
    }
    // The public resolution follows the private one whether or not the block came through.
    ApplyResolutionOverride(*parameters);
    return succeeded ? S_OK : E_FAIL;
}

}  // namespace xlrender
