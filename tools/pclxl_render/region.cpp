#include "region.h"

#include <algorithm>

namespace pclxl_render {

Region Region::Rectangle(int x0, int y0, int x1, int y1) {
    Region region;
    if (x0 >= x1 || y0 >= y1) {
        return region;
    }
    const Run run{x0, x1};
    for (int y = y0; y < y1; ++y) {
        region.AppendRow(y, {&run, 1});
    }
    return region;
}

std::span<const Run> Region::Row(int y) const {
    if (runs_.empty() || y < top_ || y >= Bottom()) {
        return {};
    }
    const std::size_t row = static_cast<std::size_t>(y - top_);
    return std::span<const Run>(runs_).subspan(rowStarts_[row],
                                               rowStarts_[row + 1] - rowStarts_[row]);
}

void Region::AppendRow(int y, std::span<const Run> runs) {
    if (runs.empty()) {
        return;
    }
    if (rowStarts_.empty()) {
        top_ = y;
        rowStarts_.push_back(0);
    }
    // Rows skipped since the last one hold no runs.
    while (Bottom() < y) {
        rowStarts_.push_back(runs_.size());
    }
    runs_.insert(runs_.end(), runs.begin(), runs.end());
    rowStarts_.push_back(runs_.size());
}

Region Region::Intersection(const Region& other) const {
    Region result;
    const int top = std::max(Top(), other.Top());
    const int bottom = std::min(Bottom(), other.Bottom());
    std::vector<Run> row;
    for (int y = top; y < bottom; ++y) {
        row.clear();
        const auto a = Row(y);
        const auto b = other.Row(y);
        std::size_t i = 0, j = 0;
        while (i < a.size() && j < b.size()) {
            const int x0 = std::max(a[i].x0, b[j].x0);
            const int x1 = std::min(a[i].x1, b[j].x1);
            if (x0 < x1) {
                row.push_back({x0, x1});
            }
            (a[i].x1 < b[j].x1) ? ++i : ++j;
        }
        result.AppendRow(y, row);
    }
    return result;
}

Region Region::Complement(int width, int height) const {
    Region result;
    std::vector<Run> row;
    for (int y = 0; y < height; ++y) {
        row.clear();
        int x = 0;
        for (const Run& run : Row(y)) {
            if (run.x0 > x && x < width) {
                row.push_back({x, std::min(run.x0, width)});
            }
            x = std::max(x, run.x1);
        }
        if (x < width) {
            row.push_back({x, width});
        }
        result.AppendRow(y, row);
    }
    return result;
}

}  // namespace pclxl_render
