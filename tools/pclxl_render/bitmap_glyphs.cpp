#include "pclxl_render/bitmap_glyphs.h"

#include <algorithm>
#include <cmath>

#include "pclxl_render/font_limits.h"

namespace pclxl_render {

namespace {

constexpr double kSnapToAxis = 1e-9;

// A rotation, possibly mirrored, from font dots (scaled) to device pixels; orthonormal, so its
// inverse is its transpose.
struct Direction {
    double c = 1, s = 0, mirror = 1;

    static Direction Of(const CharMatrix& m) {
        Direction d;
        const double angle = std::atan2(m.xy, m.xx);
        d.c = std::cos(angle);
        d.s = std::sin(angle);
        if (std::fabs(d.c) < kSnapToAxis) d.c = 0;
        if (std::fabs(d.s) < kSnapToAxis) d.s = 0;
        d.mirror = m.xx * m.yy - m.xy * m.yx < 0 ? -1 : 1;
        return d;
    }
    double X(double u, double v) const { return c * u - s * mirror * v; }
    double Y(double u, double v) const { return s * u + c * mirror * v; }
    double U(double x, double y) const { return c * x + s * y; }
    double V(double x, double y) const { return mirror * (-s * x + c * y); }
};

}  // namespace

std::string RenderBitmapChar(const BitmapChar& character, std::uint16_t xResolution,
                             std::uint16_t yResolution, const CharMatrix& matrix, double deviceDpi,
                             GlyphBitmap& out) {
    out = GlyphBitmap{};
    if (!std::isfinite(deviceDpi) || deviceDpi <= 0 || xResolution == 0 || yResolution == 0) {
        return "a bitmap character needs positive font and device resolutions";
    }
    const Direction direction = Direction::Of(matrix);
    const double scaleX = deviceDpi / xResolution;
    const double scaleY = deviceDpi / yResolution;
    const double advance = (character.leftOffset + character.width) * scaleX;
    out.advanceX = direction.X(advance, 0);
    out.advanceY = direction.Y(advance, 0);
    if (character.width == 0 || character.height == 0) {
        return "";
    }
    // The bitmap's corners, in device pixels relative to the pen.
    const double u0 = character.leftOffset * scaleX;
    const double u1 = (character.leftOffset + character.width) * scaleX;
    const double v0 = -character.topOffset * scaleY;
    const double v1 = (character.height - character.topOffset) * scaleY;
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (double u : {u0, u1}) {
        for (double v : {v0, v1}) {
            minX = std::min(minX, direction.X(u, v));
            maxX = std::max(maxX, direction.X(u, v));
            minY = std::min(minY, direction.Y(u, v));
            maxY = std::max(maxY, direction.Y(u, v));
        }
    }
    const double left = std::floor(minX + kSnapToAxis), top = std::floor(minY + kSnapToAxis);
    const double width = std::ceil(maxX - kSnapToAxis) - left;
    const double height = std::ceil(maxY - kSnapToAxis) - top;
    if (std::string problem = CheckGlyphSize(width, height); !problem.empty()) {
        return problem;
    }
    out.left = static_cast<int>(left);
    out.top = static_cast<int>(top);
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.alpha.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    // Each device pixel takes the dot under its centre.
    for (int row = 0; row < out.height; ++row) {
        for (int column = 0; column < out.width; ++column) {
            const double x = out.left + column + 0.5, y = out.top + row + 0.5;
            const double dotX = std::floor(direction.U(x, y) / scaleX) - character.leftOffset;
            const double dotY = std::floor(direction.V(x, y) / scaleY) + character.topOffset;
            if (dotX >= 0 && dotX < character.width && dotY >= 0 && dotY < character.height &&
                character.Ink(static_cast<int>(dotX), static_cast<int>(dotY))) {
                out.alpha[static_cast<std::size_t>(row) * out.width + column] = 255;
            }
        }
    }
    return "";
}

}  // namespace pclxl_render
