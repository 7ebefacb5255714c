#pragma once

#include "swf/format/Units.h"

namespace kf::swf {

// RECT record, in twips. xMin > xMax marks an empty rectangle.
struct Rect {
    Twips xMin;
    Twips xMax;
    Twips yMin;
    Twips yMax;

    constexpr bool operator==(const Rect&) const = default;
    constexpr Twips width() const { return xMax - xMin; }
    constexpr Twips height() const { return yMax - yMin; }
};

// MATRIX record: x' = a*x + c*y + tx, y' = b*x + d*y + ty, translation in twips.
// Scale and rotate terms are kept as doubles; the reader fills them from 16.16 values exactly.
struct Matrix {
    double a = 1.0; // scale x
    double b = 0.0; // rotate/skew 0
    double c = 0.0; // rotate/skew 1
    double d = 1.0; // scale y
    double tx = 0.0; // twips
    double ty = 0.0; // twips

    constexpr bool operator==(const Matrix&) const = default;

    static constexpr Matrix identity() { return Matrix{}; }
    static constexpr Matrix translation(double x, double y) { return Matrix{1, 0, 0, 1, x, y}; }
    static constexpr Matrix scale(double sx, double sy) { return Matrix{sx, 0, 0, sy, 0, 0}; }

    // this * other: other is applied first, then this (parent * child).
    constexpr Matrix operator*(const Matrix& other) const {
        return Matrix{a * other.a + c * other.b,        b * other.a + d * other.b,
                      a * other.c + c * other.d,        b * other.c + d * other.d,
                      a * other.tx + c * other.ty + tx, b * other.tx + d * other.ty + ty};
    }

    constexpr double mapX(double x, double y) const { return a * x + c * y + tx; }
    constexpr double mapY(double x, double y) const { return b * x + d * y + ty; }

    constexpr double determinant() const { return a * d - b * c; }

    // The inverse, or the identity when the matrix is singular (a zero scale hides the
    // object anyway, so nothing depends on the exact fallback).
    constexpr Matrix inverted() const {
        const double det = determinant();
        if (det == 0.0) {
            return Matrix{};
        }
        const double ia = d / det;
        const double ib = -b / det;
        const double ic = -c / det;
        const double id = a / det;
        return Matrix{ia, ib, ic, id, -(ia * tx + ic * ty), -(ib * tx + id * ty)};
    }
};

} // namespace kf::swf
