// A 2-D affine map: (x, y) goes to (a x + c y + tx, b x + d y + ty). User space to device
// pixels is one of these (the current transformation).
#pragma once

#include <cmath>

namespace pclxl_render {

struct Point {
    double x = 0;
    double y = 0;
};

struct Affine {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    Point Apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    // The linear part only: how an offset in user space moves in device space.
    Point ApplyLinear(Point p) const { return {a * p.x + c * p.y, b * p.x + d * p.y}; }
    double Determinant() const { return a * d - b * c; }

    // This map after `first`: (this ∘ first)(p) = this(first(p)).
    Affine After(const Affine& first) const {
        return {a * first.a + c * first.b,        b * first.a + d * first.b,
                a * first.c + c * first.d,        b * first.c + d * first.d,
                a * first.tx + c * first.ty + tx, b * first.tx + d * first.ty + ty};
    }
    // The inverse; only call when Determinant() is not 0.
    Affine Inverse() const {
        const double det = Determinant();
        const double ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
        return {ia, ib, ic, id, -(ia * tx + ic * ty), -(ib * tx + id * ty)};
    }

    static Affine Translation(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Affine Scaling(double x, double y) { return {x, 0, 0, y, 0, 0}; }
    // Turns by `degrees` in a y-down space: positive angles turn x towards y.
    static Affine Rotation(double degrees) {
        const double radians = degrees * M_PI / 180.0;
        const double cosine = std::cos(radians), sine = std::sin(radians);
        return {cosine, sine, -sine, cosine, 0, 0};
    }
};

}  // namespace pclxl_render
