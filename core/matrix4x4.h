#pragma once

// The small matrix toolkit of the view transform: 4x4 matrices of doubles
// applied to column vectors, so M carries v to M·v and translations sit in
// column 4. Every matrix and vector belongs to the caller and is passed by
// reference with the result last; nothing here allocates or keeps state.
//
// Products use the checked operations of fp_checks.h, so an overflow raises
// FloatingPointFault at the product that overflows.

#include <array>
#include <cstddef>

namespace kaleidra {

// Sixteen doubles, stored row by row. Element (r, c) with r, c from 1 to 4.
struct Matrix4x4 {
    std::array<double, 16> e{};

    double& operator()(int r, int c) { return e[Index(r, c)]; }
    double operator()(int r, int c) const { return e[Index(r, c)]; }

private:
    static std::size_t Index(int r, int c) {
        return static_cast<std::size_t>(r - 1) * 4 + static_cast<std::size_t>(c - 1);
    }
};

// A point enters as (x, y, z, 1); of a result the caller keeps x, y and z.
struct Vector4 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 0.0;
};

// The pi of the angle conversion, theta = (angle / 180) * pi.
inline constexpr double kPi = 3.1415926535897932385;

// C := A·B. C must be a third matrix: each element is stored as soon as its
// sum is complete, while A and B are still being read. To replace a matrix by
// a product, multiply into a temporary and MATRIX_COPY it back.
void MATRIX_MUL(const Matrix4x4& A, const Matrix4x4& B, Matrix4x4& C);

// out := M·v.
void MATRIX_VEKTOR_MUL(const Matrix4x4& M, const Vector4& v, Vector4& out);

// The builders write all sixteen elements. Rotation angles are in degrees and
// are neither reduced nor snapped: cos 90 is the cosine of the double nearest
// pi/2. Every rotation has -sin above the diagonal, so for a positive angle
// ROTX turns +y toward +z, ROTY +x toward +z and ROTZ +x toward +y.
void MATRIX_INIT_SKALE(Matrix4x4& M, double sx, double sy, double sz);
void MATRIX_INIT_TRANS(Matrix4x4& M, double tx, double ty, double tz);
void MATRIX_INIT_ROTX(Matrix4x4& M, double angle);
void MATRIX_INIT_ROTY(Matrix4x4& M, double angle);
void MATRIX_INIT_ROTZ(Matrix4x4& M, double angle);

// destination := source, element by element. Source first.
void MATRIX_COPY(const Matrix4x4& source, Matrix4x4& destination);

}  // namespace kaleidra
