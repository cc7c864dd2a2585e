// An affine transform as the world-transform records store it: x' = x * m11 + y * m21 + dx,
// y' = x * m12 + y * m22 + dy.
#pragma once

#include <cmath>

#include "gfx/curves.h"

namespace velk::emf {

struct Xform {
    double m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;

    PointF Apply(PointF p) const {
        return {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy};
    }
    // Only the linear part: for lengths and offsets.
    PointF ApplyVector(PointF v) const { return {v.x * m11 + v.y * m21, v.x * m12 + v.y * m22}; }
    double Determinant() const { return m11 * m22 - m12 * m21; }
    // True when it keeps horizontal lines horizontal (no turn, no shear).
    bool AxisAligned() const { return m12 == 0 && m21 == 0; }
    // A transform the device context accepts: finite, and not flattening the plane.
    bool Usable() const {
        return std::isfinite(m11) && std::isfinite(m12) && std::isfinite(m21) &&
               std::isfinite(m22) && std::isfinite(dx) && std::isfinite(dy) && Determinant() != 0;
    }
};

// `first` then `second`: the transform that applies `first` and then `second`.
inline Xform Then(const Xform& first, const Xform& second) {
    return {first.m11 * second.m11 + first.m12 * second.m21,
            first.m11 * second.m12 + first.m12 * second.m22,
            first.m21 * second.m11 + first.m22 * second.m21,
            first.m21 * second.m12 + first.m22 * second.m22,
            first.dx * second.m11 + first.dy * second.m21 + second.dx,
            first.dx * second.m12 + first.dy * second.m22 + second.dy};
}

}  // namespace velk::emf
