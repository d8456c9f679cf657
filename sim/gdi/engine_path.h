// Paths the engine hands out (CLIPOBJ_ppoGetPath): records of points in 28.4 fixed point,
// listed by PATHOBJ_bEnum and freed by EngDeletePath.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win32_api.h"

namespace sim::gdi {

struct PathRecord {
    FLONG flags = 0;
    std::vector<POINTFIX> points;
};

struct EnginePath {
    PATHOBJ object{};
    std::vector<PathRecord> records;
    std::size_t next = 0;  // the record PATHOBJ_bEnum hands out next
};

// A path the engine owns until EngDeletePath; counted among the live engine objects.
PATHOBJ* CreateEnginePath(std::vector<PathRecord> records);

// One closed figure per rectangle: the outline of a region of disjoint rectangles.
std::vector<PathRecord> OutlineOfRectangles(const std::vector<RECTL>& rectangles);

}  // namespace sim::gdi
