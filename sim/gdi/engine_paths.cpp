// Path and clip enumeration: CLIPOBJ_cEnumStart, CLIPOBJ_bEnum, CLIPOBJ_ppoGetPath,
// PATHOBJ_vEnumStart, PATHOBJ_bEnum and EngDeletePath.
#include <algorithm>
#include <cstddef>

#include "gdi/clip_region.h"
#include "gdi/engine_path.h"
#include "gdi/engine_state.h"
#include "world.h"

namespace sim::gdi {
namespace {

constexpr LONG kFixOne = 16;  // 28.4 fixed point
constexpr ULONG kTooManyRectangles = 0xFFFFFFFF;

POINTFIX Fix(LONG x, LONG y) {
    return {x * kFixOne, y * kFixOne};
}

EnginePath* FindPath(const PATHOBJ* path) {
    auto& paths = TheWorld().engine.paths;
    const auto found = paths.find(path);
    return found == paths.end() ? nullptr : found->second.get();
}

}  // namespace

PATHOBJ* CreateEnginePath(std::vector<PathRecord> records) {
    auto path = std::make_unique<EnginePath>();
    path->records = std::move(records);
    path->object.cCurves = static_cast<ULONG>(path->records.size());
    PATHOBJ* object = &path->object;
    TheWorld().engine.paths.emplace(object, std::move(path));
    return object;
}

std::vector<PathRecord> OutlineOfRectangles(const std::vector<RECTL>& rectangles) {
    std::vector<PathRecord> records;
    for (const RECTL& r : rectangles) {
        records.push_back({PD_BEGINSUBPATH | PD_ENDSUBPATH | PD_CLOSEFIGURE,
                           {Fix(r.left, r.top), Fix(r.right, r.top), Fix(r.right, r.bottom),
                            Fix(r.left, r.bottom)}});
    }
    return records;
}

}  // namespace sim::gdi

using sim::gdi::ClipRegion;

extern "C" {

ULONG APIENTRY CLIPOBJ_cEnumStart(CLIPOBJ* pco, BOOL, ULONG iType, ULONG, ULONG cLimit) {
    ClipRegion* clip = ClipRegion::Of(pco);
    if (clip == nullptr || iType != CT_RECTANGLES) {
        return 0;
    }
    clip->enumerated = 0;
    const std::size_t count = clip->region().size();
    return cLimit != 0 && count > cLimit ? sim::gdi::kTooManyRectangles : static_cast<ULONG>(count);
}

BOOL APIENTRY CLIPOBJ_bEnum(CLIPOBJ* pco, ULONG cj, ULONG* pul) {
    auto* list = reinterpret_cast<ENUMRECTS*>(pul);
    if (list == nullptr || cj < sizeof(ENUMRECTS)) {
        return FALSE;
    }
    list->c = 0;
    ClipRegion* clip = ClipRegion::Of(pco);
    if (clip == nullptr) {
        return FALSE;
    }
    const std::size_t room = (cj - offsetof(ENUMRECTS, arcl)) / sizeof(RECTL);
    const auto& region = clip->region();
    const std::size_t count = std::min(room, region.size() - clip->enumerated);
    std::copy_n(region.begin() + static_cast<std::ptrdiff_t>(clip->enumerated), count, list->arcl);
    list->c = static_cast<ULONG>(count);
    clip->enumerated += count;
    return clip->enumerated < region.size() ? TRUE : FALSE;
}

PATHOBJ* APIENTRY CLIPOBJ_ppoGetPath(CLIPOBJ* pco) {
    ClipRegion* clip = ClipRegion::Of(pco);
    if (sim::EngineCallFails("CLIPOBJ_ppoGetPath") || clip == nullptr) {
        return nullptr;
    }
    return sim::gdi::CreateEnginePath(
        clip->outline.empty() ? sim::gdi::OutlineOfRectangles(clip->region()) : clip->outline);
}

VOID APIENTRY PATHOBJ_vEnumStart(PATHOBJ* ppo) {
    if (sim::gdi::EnginePath* path = sim::gdi::FindPath(ppo)) {
        path->next = 0;
    }
}

BOOL APIENTRY PATHOBJ_bEnum(PATHOBJ* ppo, PATHDATA* ppd) {
    if (ppd == nullptr) {
        return FALSE;
    }
    *ppd = {};
    sim::gdi::EnginePath* path = sim::gdi::FindPath(ppo);
    if (path == nullptr || path->next >= path->records.size()) {
        return FALSE;
    }
    sim::gdi::PathRecord& record = path->records[path->next++];
    ppd->flags = record.flags;
    ppd->count = static_cast<ULONG>(record.points.size());
    ppd->pptfx = record.points.data();
    return path->next < path->records.size() ? TRUE : FALSE;
}

VOID APIENTRY EngDeletePath(PATHOBJ* ppo) {
    sim::TheWorld().engine.paths.erase(ppo);
}

}  // extern "C"
