// How GDI hands one of the job's pictures to the driver: an engine bitmap in the layout the job
// asks for, a clip object cut to the band, and the DDI function the job names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gdi/clip_region.h"
#include "gdi/surface_pixels.h"
#include "platform/win32_api.h"
#include "unidrv/image_file.h"
#include "unidrv/job_description.h"

namespace sim::unidrv {

// The driver's blit functions as GDI reaches them: the plug-in's hooks, else Unidrv's own
// (and the engine's EngPlgBlt when nobody hooks DrvPlgBlt).
struct BlitFunctions {
    DdiBitBlt* bitBlt;
    DdiStretchBlt* stretchBlt;
    DdiStretchBltROP* stretchBltRop;
    DdiCopyBits* copyBits;
    DdiPlgBlt* plgBlt;
};

// A picture as the engine bitmap GDI would hand over, with the translation it would pass (a
// grey palette for 8 bits per pixel, none otherwise). Top-down 24-bit pictures use the file's
// pixels in place.
class SourcePicture {
public:
    SourcePicture(const BgrImage& image, const SurfaceLayout& layout);
    ~SourcePicture();
    SourcePicture(const SourcePicture&) = delete;
    SourcePicture& operator=(const SourcePicture&) = delete;

    SURFOBJ* surface() const { return surface_; }
    XLATEOBJ* translation() { return layout_.bitsPerPixel == 8 ? &palette_.object : nullptr; }
    LONG width() const { return width_; }
    LONG height() const { return height_; }

private:
    SurfaceLayout layout_;
    gdi::Translation palette_;
    HSURF handle_ = nullptr;
    SURFOBJ* surface_ = nullptr;
    LONG width_;
    LONG height_;
};

// A clip in device pixels.
struct DeviceClip {
    ClipShape::Kind kind = ClipShape::Kind::kRectangle;
    std::vector<RECTL> rectangles;
    std::vector<POINTL> polygon;
    bool enumerateAsPath = false;
};

// The clip object GDI passes with a picture on `destination`: the job's clip (none: trivial on
// a whole page, the band when banding) cut to the band. None when nothing of the picture can be
// seen: GDI then makes no call.
std::optional<gdi::ClipRegion> ClipForPicture(const std::optional<DeviceClip>& clip,
                                              const RECTL& destination, const RECTL& band,
                                              bool banded);

// Draws the picture onto the device through the function the job names (or GDI's choice).
// False with `problem` set when the job asks for the impossible or the driver fails the call.
bool BlitPicture(const BlitFunctions& functions, SURFOBJ* device, const ImageContent& content,
                 SourcePicture& picture, RECTL destination, CLIPOBJ* clip, std::string& problem);

}  // namespace sim::unidrv
