#include "compositor.h"

#include <algorithm>

#include "rop3.h"

namespace pclxl_render {
namespace {

constexpr int kComponents = 3;
constexpr int kLevels = 256;

}  // namespace

Compositor::Compositor(const DrawMode& mode, const Paint& paint, SourceKind source)
    : mode_(mode), paint_(paint) {
    if (paint.kind != Paint::Kind::kSolid || mode.rop == kSourceCopy) {
        return;
    }
    solidTable_.resize(kComponents * kLevels * kLevels);
    const std::uint8_t* colour = &paint.colour.r;
    // A shape's source is black: only the entries for source 0 are ever read.
    const int sourceLevels = source == SourceKind::kShape ? 1 : kLevels;
    for (int c = 0; c < kComponents; ++c) {
        for (int s = 0; s < sourceLevels; ++s) {
            for (int d = 0; d < kLevels; ++d) {
                solidTable_[(c << 16) | (s << 8) | d] =
                    ApplyRop3(mode.rop, static_cast<std::uint8_t>(d), static_cast<std::uint8_t>(s),
                              colour[c]);
            }
        }
    }
}

void Compositor::PutGeneral(std::uint8_t* pixel, const std::uint8_t* source,
                            const std::uint8_t* paint) const {
    for (int c = 0; c < kComponents; ++c) {
        pixel[c] = ApplyRop3(mode_.rop, pixel[c], source[c], paint[c]);
    }
}

void Compositor::PaintShape(PageRaster& page, const Region& region) const {
    if (!Draws()) {
        return;
    }
    static constexpr std::uint8_t kBlack[kComponents] = {0, 0, 0};
    for (int y = std::max(region.Top(), 0); y < std::min(region.Bottom(), page.Height()); ++y) {
        std::uint8_t* row = page.Row(y).data();
        for (const Run& run : region.Row(y)) {
            for (int x = run.x0; x < run.x1; ++x) {
                Put(row + x * kComponents, kBlack, x, y);
            }
        }
    }
}

}  // namespace pclxl_render
