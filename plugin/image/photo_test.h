// Whether a 24-bit picture looks like a photograph: few hard edges between neighbouring pixels
// on about 17 sampled rows. Text and line art captured as bitmaps are left to Unidrv.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// `rectangle` must be readable on the surface (IsReadableRect).
bool IsPhotoImage(const SURFOBJ* surface, const RECTL& rectangle);

}  // namespace xlrender
