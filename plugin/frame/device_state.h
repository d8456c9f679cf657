// Creation, carry-over and release of the per-device state (the OEM PDEV).
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// EnablePDEV's work. `helper` is the object's published helper interface (may be null, which
// fails). On failure nothing is left allocated and pdevOEM is null.
HRESULT EnableDeviceState(DEVOBJ* device, IPrintOemDriverUni* helper, GDIINFO* gdiInfo,
                          const DRVENABLEDATA* unidrvFunctions, PDEVOEM* result);

// ResetPDEV's work: carries the frame and settings state from the old device context to the
// new one. Either side missing copies nothing.
void CarryOverDeviceState(DEVOBJ* oldDevice, DEVOBJ* newDevice);

// DisablePDEV's work.
void DisableDeviceState(DEVOBJ* device);

}  // namespace xlrender
