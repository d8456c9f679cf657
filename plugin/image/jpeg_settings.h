// Whether a device context sends photographs as JPEG at all.
#pragma once

#include "platform/win32_api.h"
#include "settings/private_devmode.h"

namespace xlrender {

// Values of JobSettings::JpegMode.
enum JpegModeKind : DWORD {
    kJpegOff = 0,
    kJpegAuto = 1,     // only on a direct port
    kJpegBest = 2,     // never: Unidrv's own raster keeps every pixel
    kJpegMaximum = 3,  // every eligible image
};

// A printer on a parallel, USB or DOT4 port.
bool IsDirectPort(HANDLE printer);

// Colour output ("Grayscale" clear) and "Maximum", or "Auto" on a direct port.
bool IsJpegWanted(DWORD jpegMode, const PrivateDevmode& devmode, HANDLE printer);

}  // namespace xlrender
