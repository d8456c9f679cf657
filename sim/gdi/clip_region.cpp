#include "gdi/clip_region.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "world.h"

namespace sim::gdi {
namespace {

// Horizontal runs [left, right) of one pixel row.
using Runs = std::vector<std::pair<LONG, LONG>>;

Runs MergeRuns(Runs runs) {
    std::sort(runs.begin(), runs.end());
    Runs merged;
    for (const auto& run : runs) {
        if (!merged.empty() && run.first <= merged.back().second) {
            merged.back().second = std::max(merged.back().second, run.second);
        } else if (run.first < run.second) {
            merged.push_back(run);
        }
    }
    return merged;
}

// Rows with their runs, as rectangles; equal neighbouring rows become one rectangle each run.
Region RegionFromRows(const std::vector<std::pair<LONG, Runs>>& rows) {
    Region region;
    std::size_t first = 0;
    for (std::size_t i = 0; i <= rows.size(); ++i) {
        const bool joins = i < rows.size() && i > first && rows[i].first == rows[i - 1].first + 1 &&
                           rows[i].second == rows[first].second;
        if (i > first && !joins) {
            for (const auto& [left, right] : rows[first].second) {
                region.push_back({left, rows[first].first, right, rows[i - 1].first + 1});
            }
            first = i;
        }
    }
    return region;
}

}  // namespace

bool IsEmpty(const RECTL& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

Region RegionFromRectangles(const std::vector<RECTL>& rectangles) {
    std::set<LONG> edges;
    for (const RECTL& r : rectangles) {
        if (!IsEmpty(r)) {
            edges.insert(r.top);
            edges.insert(r.bottom);
        }
    }
    Region region;
    for (auto edge = edges.begin(); edge != edges.end() && std::next(edge) != edges.end(); ++edge) {
        const LONG top = *edge;
        const LONG bottom = *std::next(edge);
        Runs runs;
        for (const RECTL& r : rectangles) {
            if (!IsEmpty(r) && r.top <= top && r.bottom >= bottom) {
                runs.emplace_back(r.left, r.right);
            }
        }
        for (const auto& [left, right] : MergeRuns(runs)) {
            region.push_back({left, top, right, bottom});
        }
    }
    return region;
}

Region RegionFromPolygon(const std::vector<POINTL>& corners, const RECTL& rows) {
    if (corners.size() < 3) {
        return {};
    }
    LONG top = corners[0].y;
    LONG bottom = corners[0].y;
    for (const POINTL& p : corners) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    std::vector<std::pair<LONG, Runs>> found;
    for (LONG y = std::max(top, rows.top); y < std::min(bottom, rows.bottom); ++y) {
        const double centre = y + 0.5;
        std::vector<double> crossings;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const POINTL& a = corners[i];
            const POINTL& b = corners[(i + 1) % corners.size()];
            if ((a.y <= centre) != (b.y <= centre)) {
                crossings.push_back(a.x + (centre - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        Runs runs;
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centre x + 0.5 lies between the two crossings.
            runs.emplace_back(static_cast<LONG>(std::ceil(crossings[i] - 0.5)),
                              static_cast<LONG>(std::ceil(crossings[i + 1] - 0.5)));
        }
        runs = MergeRuns(runs);
        if (!runs.empty()) {
            found.emplace_back(y, std::move(runs));
        }
    }
    return RegionFromRows(found);
}

Region RegionFromEllipse(const RECTL& box) {
    const double rx = (box.right - box.left) / 2.0;
    const double ry = (box.bottom - box.top) / 2.0;
    const double cx = box.left + rx;
    const double cy = box.top + ry;
    std::vector<std::pair<LONG, Runs>> rows;
    for (LONG y = box.top; y < box.bottom && rx > 0 && ry > 0; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (dy * dy >= 1) {
            continue;
        }
        const double half = rx * std::sqrt(1 - dy * dy);
        const LONG left = static_cast<LONG>(std::ceil(cx - half - 0.5));
        const LONG right = static_cast<LONG>(std::ceil(cx + half - 0.5));
        if (left < right) {
            rows.push_back({y, {{left, right}}});
        }
    }
    return RegionFromRows(rows);
}

Region IntersectRegion(const Region& region, const RECTL& rectangle) {
    Region cut;
    for (const RECTL& r : region) {
        const RECTL part = {std::max(r.left, rectangle.left), std::max(r.top, rectangle.top),
                            std::min(r.right, rectangle.right),
                            std::min(r.bottom, rectangle.bottom)};
        if (!IsEmpty(part)) {
            cut.push_back(part);
        }
    }
    return cut;
}

RECTL RegionBounds(const Region& region) {
    if (region.empty()) {
        return {0, 0, 0, 0};
    }
    RECTL bounds = region.front();
    for (const RECTL& r : region) {
        bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top),
                  std::max(bounds.right, r.right), std::max(bounds.bottom, r.bottom)};
    }
    return bounds;
}

ClipRegion::ClipRegion() : engine_(&TheWorld().engine) {}

ClipRegion::ClipRegion(Region region, BYTE complexMode)
    : engine_(&TheWorld().engine), region_(std::move(region)) {
    object_.rclBounds = RegionBounds(region_);
    object_.iDComplexity = region_.size() == 1 ? DC_RECT : DC_COMPLEX;
    object_.iMode = region_.size() == 1 ? TC_RECTANGLES : complexMode;
    Register();
}

ClipRegion ClipRegion::Trivial(const RECTL& bounds) {
    ClipRegion clip;
    clip.region_ = {bounds};
    clip.object_.rclBounds = bounds;
    clip.object_.iDComplexity = DC_TRIVIAL;
    clip.Register();
    return clip;
}

ClipRegion::ClipRegion(ClipRegion&& other) noexcept
    : enumerated(other.enumerated),
      outline(std::move(other.outline)),
      engine_(other.engine_),
      object_(other.object_),
      region_(std::move(other.region_)) {
    Register();
}

ClipRegion::~ClipRegion() {
    const auto found = engine_->clips.find(&object_);
    if (found != engine_->clips.end() && found->second == this) {
        engine_->clips.erase(found);
    }
}

void ClipRegion::Register() {
    engine_->clips[&object_] = this;
}

bool ClipRegion::Contains(LONG x, LONG y) const {
    if (object_.iDComplexity == DC_TRIVIAL) {
        return true;
    }
    return std::any_of(region_.begin(), region_.end(), [&](const RECTL& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

ClipRegion* ClipRegion::Of(const CLIPOBJ* object) {
    const auto& clips = TheWorld().engine.clips;
    const auto found = clips.find(object);
    return found == clips.end() ? nullptr : found->second;
}

}  // namespace sim::gdi
