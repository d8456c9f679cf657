#include "image/photo_test.h"

#include <cstdlib>

#include "image/blit_rules.h"

namespace xlrender {
namespace {

constexpr LONG kMinimumSide = 40;        // a side must be longer than this
constexpr LONG kMinimumPerimeter = 100;  // width + height must exceed this
constexpr LONG kSampledRowsDivisor = 16;
constexpr int kHardEdge = 224;  // a byte step at least this large is a hard edge
constexpr ULONG kTooManyHardEdges = 230;
constexpr int kLevels = 256;

}  // namespace

bool IsPhotoImage(const SURFOBJ* surface, const RECTL& rectangle) {
    const LONG width = rectangle.right - rectangle.left;
    const LONG height = rectangle.bottom - rectangle.top;
    if (surface == nullptr || width <= kMinimumSide || height <= kMinimumSide ||
        width + height <= kMinimumPerimeter || surface->iBitmapFormat != BMF_24BPP) {
        return false;
    }
    const LONG step = height / kSampledRowsDivisor > 0 ? height / kSampledRowsDivisor : 1;
    ULONG histogram[kLevels] = {};
    for (LONG y = 0; y < height; y += step) {
        const BYTE* row = ScanLine(*surface, rectangle.top + y) + 3 * rectangle.left;
        for (LONG byte = 3; byte < 3 * width; ++byte) {
            ++histogram[std::abs(row[byte] - row[byte - 3])];
        }
    }
    ULONG hardEdges = 0;
    for (int level = kHardEdge; level < kLevels; ++level) {
        hardEdges += histogram[level];
        if (hardEdges >= kTooManyHardEdges) {
            return false;
        }
    }
    return true;
}

}  // namespace xlrender
