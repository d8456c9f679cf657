// Engine bitmaps holding test pictures, locked for the test's span and released after it.
#pragma once

#include <functional>

#include "gdi/engine_bitmap.h"
#include "gdi/surface_pixels.h"
#include "platform/win32_api.h"

namespace xlrender::testing {

class EnginePicture {
public:
    // `colour(x, y)` gives 0xRRGGBB of each pixel.
    EnginePicture(LONG width, LONG height, FLONG rows,
                  const std::function<ULONG(LONG, LONG)>& colour, ULONG format = BMF_24BPP) {
        handle_ = reinterpret_cast<HSURF>(EngCreateBitmap(
            {width, height}, static_cast<LONG>(sim::gdi::ScanlineBytesFor(format, width)), format,
            rows, nullptr));
        surface_ = EngLockSurface(handle_);
        for (LONG y = 0; y < height; ++y) {
            for (LONG x = 0; x < width; ++x) {
                sim::gdi::WriteRgb(*surface_, x, y, colour(x, y));
            }
        }
    }
    ~EnginePicture() {
        EngUnlockSurface(surface_);
        EngDeleteSurface(handle_);
    }
    EnginePicture(const EnginePicture&) = delete;
    EnginePicture& operator=(const EnginePicture&) = delete;

    SURFOBJ* surface() const { return surface_; }

private:
    HSURF handle_ = nullptr;
    SURFOBJ* surface_ = nullptr;
};

// A smooth colour gradient: a photograph as far as the photo test is concerned.
inline ULONG Gradient(LONG x, LONG y) {
    return static_cast<ULONG>((x * 2 % 256) << 16 | (y * 2 % 256) << 8 | ((x + y) % 256));
}

}  // namespace xlrender::testing
