// Draws a job's logical page onto the device as GDI would: each picture and fill through the
// driver's DDI functions, placed on the sheet and clipped to the band.
#pragma once

#include <optional>
#include <string>

#include "unidrv/ddi_functions.h"
#include "unidrv/job_images.h"
#include "unidrv/job_description.h"
#include "unidrv/picture_blit.h"
#include "unidrv/unidrv_session.h"

namespace sim::unidrv {

// Where a logical page lands on the sheet: scaled by `scale`, then moved by the offset (device
// pixels). One page per sheet is the identity.
struct PagePlacement {
    double scale = 1.0;
    LONG left = 0;
    LONG top = 0;
};

// The placement that fits a printable page into `slot`, centred, keeping its proportions.
PagePlacement PlacementInSlot(const PageSetup& page, const RECTL& slot);

class PagePainter {
public:
    PagePainter(const DdiFunctions& ddi, SURFOBJ* device, const PageSetup& page,
                HeldPictures& pictures, bool banded);

    // Why the last Paint failed.
    const std::string& problem() const { return problem_; }

    // Draws every item of the page where `placement` puts it, each clipped to `band` and to its
    // own clip.
    bool Paint(const PageDescription& description, const PagePlacement& placement,
               const RECTL& band);

private:
    LONG Place(LONG pixels, LONG offset) const;
    RECTL OnDevice(const PageRectangle& at) const;
    POINTL OnDevice(const PagePoint& at) const;
    std::optional<DeviceClip> OnDevice(const std::optional<ClipShape>& clip) const;
    bool Draw(const ImageContent& content, const RECTL& band);
    bool Draw(const FillContent& content, const RECTL& band);

    const DdiFunctions& ddi_;
    SURFOBJ* device_;
    const PageSetup& page_;
    HeldPictures& pictures_;
    bool banded_;
    BlitFunctions blits_;
    PagePlacement placement_;
    std::string problem_;
};

}  // namespace sim::unidrv
