#include "unidrv/page_painter.h"

#include <algorithm>
#include <cmath>

#include "unidrv/job_page_setup.h"

namespace sim::unidrv {
namespace {

constexpr ROP4 kPatternCopy = 0xF0F0;

}  // namespace

PagePlacement PlacementInSlot(const PageSetup& page, const RECTL& slot) {
    const double slotWidth = slot.right - slot.left;
    const double slotHeight = slot.bottom - slot.top;
    const double scale = std::min(slotWidth / page.printableWidth(),
                                  slotHeight / page.printableHeight());
    return {scale, slot.left + static_cast<LONG>((slotWidth - page.printableWidth() * scale) / 2),
            slot.top + static_cast<LONG>((slotHeight - page.printableHeight() * scale) / 2)};
}

PagePainter::PagePainter(const DdiFunctions& ddi, SURFOBJ* device, const PageSetup& page,
                         HeldPictures& pictures, bool banded)
    : ddi_(ddi),
      device_(device),
      page_(page),
      pictures_(pictures),
      banded_(banded),
      blits_{ddi.Get<DdiBitBlt>(INDEX_DrvBitBlt), ddi.Get<DdiStretchBlt>(INDEX_DrvStretchBlt),
             ddi.Get<DdiStretchBltROP>(INDEX_DrvStretchBltROP),
             ddi.Get<DdiCopyBits>(INDEX_DrvCopyBits), ddi.Get<DdiPlgBlt>(INDEX_DrvPlgBlt)} {
    if (blits_.plgBlt == nullptr) {
        blits_.plgBlt = &EngPlgBlt;
    }
}

bool PagePainter::Paint(const PageDescription& description, const PagePlacement& placement,
                        const RECTL& band) {
    placement_ = placement;
    for (const PageContent& item : description.content) {
        const bool drawn = std::visit([&](const auto& content) { return Draw(content, band); },
                                      item);
        if (!drawn) {
            return false;
        }
    }
    return true;
}

LONG PagePainter::Place(LONG pixels, LONG offset) const {
    return offset + static_cast<LONG>(std::lround(pixels * placement_.scale));
}

RECTL PagePainter::OnDevice(const PageRectangle& at) const {
    const LONG left = ToPixels(at.x, page_.resolution) - page_.marginPixels;
    const LONG top = ToPixels(at.y, page_.resolution) - page_.marginPixels;
    const LONG right = left + ToPixels(at.width, page_.resolution);
    const LONG bottom = top + ToPixels(at.height, page_.resolution);
    return {Place(left, placement_.left), Place(top, placement_.top),
            Place(right, placement_.left), Place(bottom, placement_.top)};
}

POINTL PagePainter::OnDevice(const PagePoint& at) const {
    return {Place(ToPixels(at.x, page_.resolution) - page_.marginPixels, placement_.left),
            Place(ToPixels(at.y, page_.resolution) - page_.marginPixels, placement_.top)};
}

std::optional<DeviceClip> PagePainter::OnDevice(const std::optional<ClipShape>& clip) const {
    if (!clip) {
        return std::nullopt;
    }
    DeviceClip device{clip->kind, {}, {}, clip->enumerateAsPath};
    for (const PageRectangle& rectangle : clip->rectangles) {
        device.rectangles.push_back(OnDevice(rectangle));
    }
    for (const PagePoint& corner : clip->polygon) {
        device.polygon.push_back(OnDevice(corner));
    }
    return device;
}

bool PagePainter::Draw(const ImageContent& content, const RECTL& band) {
    const RECTL destination = OnDevice(content.at);
    std::optional<gdi::ClipRegion> clip =
        ClipForPicture(OnDevice(content.clip), destination, band, banded_);
    if (!clip) {
        return true;  // nothing of it shows in this band: GDI makes no call
    }
    const BgrImage* image = nullptr;
    try {
        image = &pictures_.Get(content.file);
    } catch (const ImageFileError& error) {
        problem_ = error.what();
        return false;
    }
    SourcePicture picture(*image, content.surface);
    return BlitPicture(blits_, device_, content, picture, destination, clip->object(),
                       problem_);
}

bool PagePainter::Draw(const FillContent& content, const RECTL& band) {
    RECTL destination = OnDevice(content.at);
    std::optional<gdi::ClipRegion> clip =
        ClipForPicture(std::nullopt, destination, band, banded_);
    if (!clip) {
        return true;
    }
    BRUSHOBJ brush{};
    // GDI's COLORREF: red in the low byte.
    brush.iSolidColor =
        ((content.rgb >> 16) & 0xFF) | (content.rgb & 0xFF00) | ((content.rgb & 0xFF) << 16);
    POINTL brushOrigin{0, 0};
    if (!ddi_.Get<DdiBitBlt>(INDEX_DrvBitBlt)(device_, nullptr, nullptr, clip->object(),
                                              nullptr, &destination, nullptr, nullptr, &brush,
                                              &brushOrigin, kPatternCopy)) {
        problem_ = "the driver failed a fill";
        return false;
    }
    return true;
}

}  // namespace sim::unidrv
