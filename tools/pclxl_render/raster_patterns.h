// Raster patterns defined by BeginRastPattern/ReadRastPattern/EndRastPattern, kept by id for
// as long as their persistence says, and turned into a device-resolution tile when a brush or
// pen selects them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "affine.h"
#include "paint.h"
#include "raster_decoder.h"

namespace pclxl_render {

enum class PatternLifetime { kTemporary, kPage, kSession };

struct RasterPattern {
    std::shared_ptr<const RasterDecoder> pixels;
    Point destinationSize;  // user units covered by one copy
    PatternLifetime lifetime = PatternLifetime::kTemporary;
};

class RasterPatterns {
public:
    void Define(std::int32_t id, RasterPattern pattern) { patterns_[id] = std::move(pattern); }
    const RasterPattern* Find(std::int32_t id) const;
    // Forgets the patterns whose lifetime ends with the page (or, `endOfSession`, with the
    // session too).
    void EndOf(bool endOfSession);

private:
    std::map<std::int32_t, RasterPattern> patterns_;
};

// The tile a brush shows for `pattern`: `size` user units (its own destination size unless
// the selection gives a new one) mapped through `ctm`, repeated from device point `origin`.
std::shared_ptr<const PatternTile> MakePatternTile(const RasterPattern& pattern, Point size,
                                                   const Affine& ctm, Point origin);

}  // namespace pclxl_render
