#include "frame/private_devmode_dispatch.h"

#include "settings/devmode_identity.h"

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
    // Defaulting, converting and merging arrive with the private devmode layout.
    return E_FAIL;
}

}  // namespace xlrender
