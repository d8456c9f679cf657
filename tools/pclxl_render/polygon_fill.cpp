#include "polygon_fill.h"

#include <algorithm>
#include <cmath>

namespace pclxl_render {
namespace {

struct Edge {
    double yTop;     // smaller y
    double yBottom;  // larger y
    double xAtTop;
    double slope;  // dx per dy
    int winding;   // +1 downwards, -1 upwards
};

struct Crossing {
    double x;
    int winding;
};

std::vector<Edge> EdgesOf(const std::vector<Polygon>& polygons) {
    std::vector<Edge> edges;
    for (const Polygon& polygon : polygons) {
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Point p = polygon[i];
            const Point q = polygon[(i + 1) % polygon.size()];
            if (p.y == q.y || !std::isfinite(p.x + p.y + q.x + q.y)) {
                continue;
            }
            const bool down = p.y < q.y;
            const Point top = down ? p : q;
            const Point bottom = down ? q : p;
            edges.push_back(
                {top.y, bottom.y, top.x, (bottom.x - top.x) / (bottom.y - top.y), down ? 1 : -1});
        }
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& l, const Edge& r) { return l.yTop < r.yTop; });
    return edges;
}

// The first pixel whose centre is at or right of `x`, kept within [0, limit].
int FirstPixelFrom(double x, int limit) {
    const double pixel = std::ceil(x - 0.5);
    return pixel <= 0 ? 0 : pixel >= limit ? limit : static_cast<int>(pixel);
}

}  // namespace

Region FillPolygons(const std::vector<Polygon>& polygons, FillRule rule, int width, int height) {
    Region region;
    const std::vector<Edge> edges = EdgesOf(polygons);
    if (edges.empty()) {
        return region;
    }
    const double firstCentre = std::max(0.0, std::ceil(edges.front().yTop - 0.5));
    std::size_t nextEdge = 0;
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::vector<Run> runs;
    for (int y = static_cast<int>(std::min<double>(firstCentre, height)); y < height; ++y) {
        const double centre = y + 0.5;
        while (nextEdge < edges.size() && edges[nextEdge].yTop <= centre) {
            active.push_back(&edges[nextEdge++]);
        }
        std::erase_if(active, [centre](const Edge* edge) { return edge->yBottom <= centre; });
        if (active.empty()) {
            if (nextEdge == edges.size()) {
                break;
            }
            continue;
        }
        crossings.clear();
        for (const Edge* edge : active) {
            if (edge->yTop <= centre) {
                crossings.push_back(
                    {edge->xAtTop + (centre - edge->yTop) * edge->slope, edge->winding});
            }
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
        runs.clear();
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].winding;
            const bool inside = rule == FillRule::kEvenOdd ? (i % 2) == 0 : winding != 0;
            if (!inside) {
                continue;
            }
            const int x0 = FirstPixelFrom(crossings[i].x, width);
            const int x1 = FirstPixelFrom(crossings[i + 1].x, width);
            if (x0 >= x1) {
                continue;
            }
            if (!runs.empty() && runs.back().x1 >= x0) {
                runs.back().x1 = std::max(runs.back().x1, x1);
            } else {
                runs.push_back({x0, x1});
            }
        }
        region.AppendRow(y, runs);
    }
    return region;
}

}  // namespace pclxl_render
