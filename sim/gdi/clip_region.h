// Clip objects as GDI hands them to a driver: a region of disjoint rectangles (sorted top to
// bottom, then left to right) behind a CLIPOBJ, which CLIPOBJ_cEnumStart/CLIPOBJ_bEnum list and
// CLIPOBJ_ppoGetPath outlines. A CLIPOBJ the stand-in did not make enumerates as empty.
#pragma once

#include <cstddef>
#include <vector>

#include "gdi/engine_path.h"
#include "gdi/engine_state.h"
#include "platform/win32_api.h"

namespace sim::gdi {

using Region = std::vector<RECTL>;

// The union of possibly overlapping rectangles as disjoint rectangles.
Region RegionFromRectangles(const std::vector<RECTL>& rectangles);
// The pixels whose centres lie inside the polygon (even-odd rule), on the rows of `rows`.
Region RegionFromPolygon(const std::vector<POINTL>& corners, const RECTL& rows);
// The pixels whose centres lie inside the ellipse inscribed in `box`.
Region RegionFromEllipse(const RECTL& box);
// The part of `region` inside `rectangle`.
Region IntersectRegion(const Region& region, const RECTL& rectangle);
// The smallest rectangle holding `region`; empty (all zero) for an empty region.
RECTL RegionBounds(const Region& region);
bool IsEmpty(const RECTL& rectangle);

class ClipRegion {
public:
    // DC_RECT for a single rectangle, DC_COMPLEX with `complexMode` (TC_RECTANGLES or
    // TC_PATHOBJ) for more.
    ClipRegion(Region region, BYTE complexMode);
    // DC_TRIVIAL: nothing is clipped; `bounds` is what GDI reports as the bounds.
    static ClipRegion Trivial(const RECTL& bounds);
    ~ClipRegion();
    ClipRegion(const ClipRegion&) = delete;
    ClipRegion& operator=(const ClipRegion&) = delete;
    ClipRegion(ClipRegion&& other) noexcept;

    CLIPOBJ* object() { return &object_; }
    const Region& region() const { return region_; }
    // Whether `x`, `y` (device pixels) is drawn through this clip.
    bool Contains(LONG x, LONG y) const;

    // The stand-in's region behind a CLIPOBJ it made in the calling thread's world, or null.
    static ClipRegion* Of(const CLIPOBJ* object);

    std::size_t enumerated = 0;  // rectangles CLIPOBJ_bEnum has handed out
    // What CLIPOBJ_ppoGetPath gives; empty: the outline of the region's rectangles. A curved
    // clip keeps its own outline here, as GDI keeps the path a region was made from.
    std::vector<PathRecord> outline;

private:
    ClipRegion();
    void Register();

    // The world's engine that knows this clip object.
    EngineState* engine_;
    CLIPOBJ object_{};
    Region region_;
};

}  // namespace sim::gdi
