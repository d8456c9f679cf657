// DrvPlgBlt's quarter turns: the source is turned into a temporary engine bitmap by the engine,
// then stretched onto the page, where the photograph can come back through the blit hooks as a
// plain 24-bit picture. Any other parallelogram is the engine's.
#pragma once

#include "platform/win32_api.h"

namespace xlrender {

// Bytes of one scan line of `width` pixels in `format`, DWORD-aligned; 0 for an unknown format
// or a line longer than 32 bits can count.
ULONG ScanlineBytes(ULONG format, LONG width);

struct TempSurface {
    HSURF handle;
    SURFOBJ* surface;  // locked
};

// A top-down engine bitmap associated with the device and locked; false (nothing held) when
// any step fails.
bool CreateTempSurface(DEVOBJ* device, LONG width, LONG height, ULONG format, TempSurface& temp);
void DeleteTempSurface(TempSurface& temp);

struct PlgBltCall {
    SURFOBJ* target;
    SURFOBJ* source;
    SURFOBJ* mask;
    CLIPOBJ* clip;
    XLATEOBJ* translation;
    COLORADJUSTMENT* colorAdjustment;
    POINTL* brushOrigin;
    POINTFIX* corners;
    RECTL* sourceRect;
    POINTL* maskOrigin;
    ULONG mode;
};

// The call as the engine takes it.
BOOL PassToEngine(const PlgBltCall& call);

// A rotation by a quarter turn without mirroring, between surfaces of one format, without a
// mask.
bool IsQuarterTurn(const PlgBltCall& call);

// Draws a quarter turn through a temporary bitmap; false, having done nothing, when that
// bitmap cannot be made. `result` is the engine's answer. With `sendAsPhoto` the stretch onto
// the page goes without translation, so that the image path takes the picture.
bool DrawQuarterTurn(DEVOBJ* device, const PlgBltCall& call, bool sendAsPhoto, BOOL& result);

}  // namespace xlrender
