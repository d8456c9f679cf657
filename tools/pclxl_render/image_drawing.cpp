#include "image_drawing.h"

#include <algorithm>
#include <cmath>

#include "polygon_fill.h"

namespace pclxl_render {
namespace {

constexpr std::uint8_t kWhite[3] = {0xFF, 0xFF, 0xFF};

int Floor(double value, int high) {
    const double floored = std::floor(value);
    return floored <= 0 ? 0 : floored >= high ? high : static_cast<int>(floored);
}

}  // namespace

void DrawRaster(PageRaster& page, const Region& clip, const RasterDecoder& raster,
                const Affine& sourceToDevice, const Compositor& compositor) {
    const RasterFormat& format = raster.Format();
    if (!compositor.Draws() || sourceToDevice.Determinant() == 0) {
        return;
    }
    const double w = format.width, h = format.height;
    const Polygon outline = {sourceToDevice.Apply({0, 0}), sourceToDevice.Apply({w, 0}),
                             sourceToDevice.Apply({w, h}), sourceToDevice.Apply({0, h})};
    const Region covered =
        FillPolygons({outline}, FillRule::kNonZeroWinding, page.Width(), page.Height())
            .Intersection(clip);
    const Affine toSource = sourceToDevice.Inverse();
    for (int y = covered.Top(); y < covered.Bottom(); ++y) {
        std::uint8_t* row = page.Row(y).data();
        for (const Run& run : covered.Row(y)) {
            const Point start = toSource.Apply({run.x0 + 0.5, y + 0.5});
            for (int x = run.x0; x < run.x1; ++x) {
                const double step = x - run.x0;
                const int u = Floor(start.x + toSource.a * step, format.width - 1);
                const int v = Floor(start.y + toSource.b * step, format.height - 1);
                const std::uint8_t* line = raster.Row(v);
                const std::uint8_t* source = line != nullptr ? line + u * 3 : kWhite;
                compositor.Put(row + x * 3, source, x, y);
            }
        }
    }
}

}  // namespace pclxl_render
