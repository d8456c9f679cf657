// A set of device pixels kept as sorted, disjoint runs per row: what a fill covers and what the
// clip lets through. Small for the shapes pages are made of, whatever the resolution.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace pclxl_render {

struct Run {
    int x0;  // first pixel
    int x1;  // one past the last
};

class Region {
public:
    Region() = default;
    // The pixels [x0, x1) x [y0, y1); empty when either range is.
    static Region Rectangle(int x0, int y0, int x1, int y1);

    bool Empty() const { return runs_.empty(); }
    int Top() const { return top_; }
    int Bottom() const { return top_ + static_cast<int>(rowStarts_.size()) - 1; }
    // The runs of row `y` (none outside Top()..Bottom()).
    std::span<const Run> Row(int y) const;

    Region Intersection(const Region& other) const;
    // The pixels of [0, width) x [0, height) that this region leaves out.
    Region Complement(int width, int height) const;

    // Building, top to bottom: rows must come in increasing order, runs sorted and disjoint.
    void AppendRow(int y, std::span<const Run> runs);

private:
    int top_ = 0;
    std::vector<std::size_t> rowStarts_;  // index of each row's first run, plus one end mark
    std::vector<Run> runs_;
};

}  // namespace pclxl_render
