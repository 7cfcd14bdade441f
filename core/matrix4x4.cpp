#include "core/matrix4x4.h"

#include <cassert>
#include <cmath>
#include <cstddef>

#include "core/fp_checks.h"

namespace kaleidra {

namespace {

// Divide first, then multiply: the order fixes the last bit of theta.
double Radians(double angle) {
    return (angle / 180.0) * kPi;
}

// Writes all sixteen elements, given row by row.
void SetRows(Matrix4x4& M, const double (&rows)[16]) {
    for (std::size_t i = 0; i < 16; ++i)
        M.e[i] = rows[i];
}

}  // namespace

void MATRIX_MUL(const Matrix4x4& A, const Matrix4x4& B, Matrix4x4& C) {
    assert(&C != &A && &C != &B);
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) {
            double sum = 0.0;
            for (int k = 1; k <= 4; ++k)
                sum = CheckedAdd(sum, CheckedMul(A(i, k), B(k, j)));
            C(i, j) = sum;
        }
    }
}

void MATRIX_VEKTOR_MUL(const Matrix4x4& M, const Vector4& v, Vector4& out) {
    const double in[4] = {v.x, v.y, v.z, v.w};
    double* const result[4] = {&out.x, &out.y, &out.z, &out.w};
    for (int i = 1; i <= 4; ++i) {
        double sum = 0.0;
        for (int k = 1; k <= 4; ++k)
            sum = CheckedAdd(sum, CheckedMul(M(i, k), in[k - 1]));
        *result[i - 1] = sum;
    }
}

void MATRIX_INIT_SKALE(Matrix4x4& M, double sx, double sy, double sz) {
    SetRows(M, {sx, 0, 0, 0,  //
                0, sy, 0, 0,  //
                0, 0, sz, 0,  //
                0, 0, 0, 1});
}

void MATRIX_INIT_TRANS(Matrix4x4& M, double tx, double ty, double tz) {
    SetRows(M, {1, 0, 0, tx,  //
                0, 1, 0, ty,  //
                0, 0, 1, tz,  //
                0, 0, 0, 1});
}

void MATRIX_INIT_ROTX(Matrix4x4& M, double angle) {
    const double theta = Radians(angle);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    SetRows(M, {1, 0, 0, 0,   //
                0, c, -s, 0,  //
                0, s, c, 0,   //
                0, 0, 0, 1});
}

// Mirrored against the textbook form on purpose: -s in row 1 and +s in row 3,
// above and below the diagonal as in the other two builders.
void MATRIX_INIT_ROTY(Matrix4x4& M, double angle) {
    const double theta = Radians(angle);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    SetRows(M, {c, 0, -s, 0,  //
                0, 1, 0, 0,   //
                s, 0, c, 0,   //
                0, 0, 0, 1});
}

void MATRIX_INIT_ROTZ(Matrix4x4& M, double angle) {
    const double theta = Radians(angle);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    SetRows(M, {c, -s, 0, 0,  //
                s, c, 0, 0,   //
                0, 0, 1, 0,   //
                0, 0, 0, 1});
}

void MATRIX_COPY(const Matrix4x4& source, Matrix4x4& destination) {
    for (std::size_t i = 0; i < 16; ++i)
        destination.e[i] = source.e[i];
}

}  // namespace kaleidra
