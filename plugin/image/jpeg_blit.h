// A blit taken over: its clip, raster operation and picture written as one PCL XL image with
// JPEG data (or a fill for the constant ROPs). Every check comes before the first byte, so a
// declined blit leaves no trace and Unidrv draws it afresh. On a banded page GDI calls once per
// band the picture crosses, with the clip cut to that band: each call sends the whole picture
// and the printer shows the band's part; the stream compressed for the first band is kept in
// the page's JpegReuseCache for the others.
#pragma once

#include "image/jpeg_reuse.h"
#include "platform/win32_api.h"

namespace xlrender {

struct BlitRequest {
    SURFOBJ* source;
    SURFOBJ* mask;
    CLIPOBJ* clip;
    XLATEOBJ* translation;
    RECTL sourceRect;
    RECTL destination;
    ROP4 rop4;
};

enum BlitOutcome {
    kBlitDrawn,     // the plug-in has drawn it (or it draws nothing): Unidrv is not called
    kBlitDeclined,  // Unidrv draws it
};

// A blit onto `device`'s page. Declined: a mask or a ROP4 mask byte other than transparency, a
// translation with a colour table, a source that is not a 24-bit bitmap holding the source
// rectangle, an inverted or empty destination, a brush ROP, a destination-only ROP other than
// "leave the destination", a coordinate or size beyond its 16-bit attribute, a clip that cannot
// be sent, and any memory or compression failure. `reuse` (may be null) is the page's kept
// streams; a failure empties it.
BlitOutcome EmitJpegBlit(DEVOBJ* device, const BlitRequest& request, JpegReuseCache* reuse);

}  // namespace xlrender
