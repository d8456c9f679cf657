// EngStretchBlt and EngPlgBlt, drawing for real. Onto an engine bitmap they draw the pixels
// themselves; onto a device surface they draw into a 24-bit bitmap of the destination and hand
// it to the driver's DrvCopyBits for that device, as the engine does for surfaces it cannot
// draw on. Both also record the call, and a test can dictate their answer or make one fail.
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "gdi/clip_region.h"
#include "gdi/engine_state.h"
#include "gdi/surface_pixels.h"
#include "recorded_call.h"

namespace sim::gdi {
namespace {

constexpr double kFixOne = 16.0;
constexpr ULONG kWhite = 0xFFFFFF;

// Where a destination pixel takes its colour from: a source pixel, or none (outside).
using Sampler = std::function<bool(LONG x, LONG y, LONG& sx, LONG& sy)>;

// Records the call; a world that dictates the answer gets it without drawing.
template <typename... Arguments>
std::optional<BOOL> RecordedAnswer(const char* function, Arguments... arguments) {
    World& world = TheWorld();
    world.ddiCalls.push_back({function, {AsWord(arguments)...}});
    const auto answer = world.ddiResults.find(function);
    if (answer != world.ddiResults.end()) {
        return static_cast<BOOL>(answer->second);
    }
    if (EngineCallFails(function)) {
        return FALSE;
    }
    return std::nullopt;
}

RECTL Normalised(const RECTL& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

// The part of `box` on the target surface: the engine never draws, or allocates, past it.
RECTL OnSurface(const RECTL& box, const SURFOBJ& target) {
    return {std::max(box.left, LONG{0}), std::max(box.top, LONG{0}),
            std::min(box.right, target.sizlBitmap.cx), std::min(box.bottom, target.sizlBitmap.cy)};
}

bool InsideSurface(const SURFOBJ& surface, const RECTL& r) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
           r.right <= surface.sizlBitmap.cx && r.bottom <= surface.sizlBitmap.cy;
}

// The region a clip object lets through inside `box`.
Region VisiblePart(CLIPOBJ* clip, const RECTL& box) {
    const ClipRegion* region = ClipRegion::Of(clip);
    if (clip == nullptr || clip->iDComplexity == DC_TRIVIAL) {
        return {box};
    }
    if (region != nullptr) {
        return IntersectRegion(region->region(), box);
    }
    return IntersectRegion({clip->rclBounds}, box);
}

void Paint(const SURFOBJ& target, const Region& visible, const SURFOBJ& source,
           const XLATEOBJ* translation, const Sampler& sample, POINTL shift) {
    for (const RECTL& r : visible) {
        for (LONG y = r.top; y < r.bottom; ++y) {
            for (LONG x = r.left; x < r.right; ++x) {
                LONG sx = 0;
                LONG sy = 0;
                if (sample(x, y, sx, sy) && Contains(source, sx, sy) &&
                    Contains(target, x - shift.x, y - shift.y)) {
                    CopyPixel(source, sx, sy, translation, target, x - shift.x, y - shift.y);
                }
            }
        }
    }
}

// Draws onto `target`: pixels directly into an engine bitmap, through the driver's DrvCopyBits
// for a device surface. `shape` is the part of `box` the blit covers.
BOOL Draw(SURFOBJ* target, const RECTL& box, const Region& shape, CLIPOBJ* clip,
          const SURFOBJ& source, XLATEOBJ* translation, const Sampler& sample) {
    Region visible;
    for (const RECTL& r : shape) {
        for (const RECTL& part : VisiblePart(clip, r)) {
            visible.push_back(part);
        }
    }
    if (IsDrawableBitmap(target)) {
        Paint(*target, visible, source, translation, sample, {0, 0});
        return TRUE;
    }
    const auto copy = TheWorld().engine.deviceCopyBits.find(target);
    if (copy == TheWorld().engine.deviceCopyBits.end()) {
        return TRUE;
    }
    if (visible.empty()) {
        return TRUE;  // GDI calls the driver only for something it can see
    }
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    std::vector<BYTE> bits(static_cast<std::size_t>((width * 3 + 3) / 4 * 4) *
                           static_cast<std::size_t>(height));
    SURFOBJ drawn{};
    drawn.sizlBitmap = {width, height};
    drawn.cjBits = static_cast<ULONG>(bits.size());
    drawn.pvBits = bits.data();
    drawn.pvScan0 = bits.data();
    drawn.lDelta = (width * 3 + 3) / 4 * 4;
    drawn.iBitmapFormat = BMF_24BPP;
    drawn.iType = STYPE_BITMAP;
    drawn.fjBitmap = BMF_TOPDOWN;
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            WriteRgb(drawn, x, y, kWhite);
        }
    }
    Paint(drawn, visible, source, translation, sample, {box.left, box.top});
    // A rectangular blit keeps the caller's clip; any other shape clips to what it covers.
    const bool rectangular = shape.size() == 1 && shape[0].left == box.left &&
                             shape[0].top == box.top && shape[0].right == box.right &&
                             shape[0].bottom == box.bottom;
    ClipRegion region(RegionFromRectangles(visible), TC_RECTANGLES);
    RECTL destination = box;
    POINTL origin{0, 0};
    return copy->second(target, &drawn, rectangular ? clip : region.object(), nullptr, &destination,
                        &origin);
}

}  // namespace
}  // namespace sim::gdi

using namespace sim::gdi;

extern "C" {

BOOL APIENTRY EngStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco,
                            XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlHTOrg,
                            RECTL* prclDest, RECTL* prclSrc, POINTL* pptlMask, ULONG iMode) {
    if (const auto answer = RecordedAnswer("EngStretchBlt", psoDest, psoSrc, psoMask, pco, pxlo,
                                           pca, pptlHTOrg, prclDest, prclSrc, pptlMask, iMode)) {
        return *answer;
    }
    if (psoDest == nullptr || prclDest == nullptr || prclSrc == nullptr ||
        !IsDrawableBitmap(psoSrc) || !InsideSurface(*psoSrc, Normalised(*prclSrc))) {
        return FALSE;
    }
    const RECTL destination = *prclDest;
    const RECTL source = *prclSrc;
    const RECTL box = OnSurface(Normalised(destination), *psoDest);
    if (IsEmpty(box)) {
        return TRUE;
    }
    // Signed extents: an inverted rectangle mirrors the picture, as on Windows.
    const double scaleX =
        static_cast<double>(source.right - source.left) / (destination.right - destination.left);
    const double scaleY =
        static_cast<double>(source.bottom - source.top) / (destination.bottom - destination.top);
    const Sampler sample = [&](LONG x, LONG y, LONG& sx, LONG& sy) {
        const double u = (x + 0.5 - destination.left) * scaleX;
        const double v = (y + 0.5 - destination.top) * scaleY;
        sx = source.left + static_cast<LONG>(std::floor(u));
        sy = source.top + static_cast<LONG>(std::floor(v));
        const RECTL s = Normalised(source);
        return sx >= s.left && sx < s.right && sy >= s.top && sy < s.bottom;
    };
    return Draw(psoDest, box, {box}, pco, *psoSrc, pxlo, sample);
}

BOOL APIENTRY EngPlgBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMsk, CLIPOBJ* pco,
                        XLATEOBJ* pxlo, COLORADJUSTMENT* pca, POINTL* pptlBrushOrg, POINTFIX* pptfx,
                        RECTL* prcl, POINTL* pptl, ULONG iMode) {
    if (const auto answer = RecordedAnswer("EngPlgBlt", psoTrg, psoSrc, psoMsk, pco, pxlo, pca,
                                           pptlBrushOrg, pptfx, prcl, pptl, iMode)) {
        return *answer;
    }
    if (psoTrg == nullptr || pptfx == nullptr || prcl == nullptr || !IsDrawableBitmap(psoSrc) ||
        !InsideSurface(*psoSrc, *prcl)) {
        return FALSE;
    }
    // The source's top left corner lands on p0, its top right on p1, its bottom left on p2.
    const double x0 = pptfx[0].x / kFixOne;
    const double y0 = pptfx[0].y / kFixOne;
    const double ax = pptfx[1].x / kFixOne - x0;
    const double ay = pptfx[1].y / kFixOne - y0;
    const double bx = pptfx[2].x / kFixOne - x0;
    const double by = pptfx[2].y / kFixOne - y0;
    const double determinant = ax * by - ay * bx;
    if (determinant == 0) {
        return FALSE;
    }
    const RECTL source = *prcl;
    const LONG width = source.right - source.left;
    const LONG height = source.bottom - source.top;
    const Sampler sample = [&](LONG x, LONG y, LONG& sx, LONG& sy) {
        const double dx = x + 0.5 - x0;
        const double dy = y + 0.5 - y0;
        const double u = (dx * by - dy * bx) / determinant;
        const double v = (ax * dy - ay * dx) / determinant;
        if (u < 0 || u >= 1 || v < 0 || v >= 1) {
            return false;
        }
        sx = source.left + static_cast<LONG>(std::floor(u * width));
        sy = source.top + static_cast<LONG>(std::floor(v * height));
        return true;
    };
    const double xs[] = {x0, x0 + ax, x0 + bx, x0 + ax + bx};
    const double ys[] = {y0, y0 + ay, y0 + by, y0 + ay + by};
    const RECTL box = OnSurface({static_cast<LONG>(std::floor(*std::min_element(xs, xs + 4))),
                                 static_cast<LONG>(std::floor(*std::min_element(ys, ys + 4))),
                                 static_cast<LONG>(std::ceil(*std::max_element(xs, xs + 4))),
                                 static_cast<LONG>(std::ceil(*std::max_element(ys, ys + 4)))},
                                *psoTrg);
    if (IsEmpty(box)) {
        return TRUE;
    }
    const auto corner = [](double x, double y) {
        return POINTL{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))};
    };
    const Region shape = IntersectRegion(
        RegionFromPolygon({corner(xs[0], ys[0]), corner(xs[1], ys[1]), corner(xs[3], ys[3]),
                           corner(xs[2], ys[2])},
                          box),
        box);
    return Draw(psoTrg, box, shape, pco, *psoSrc, pxlo, sample);
}

}  // extern "C"
