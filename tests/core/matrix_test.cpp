#include "core/matrix4x4.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/fp_checks.h"

namespace kaleidra {
namespace {

Vector4 Apply(const Matrix4x4& M, Vector4 v) {
    Vector4 out;
    MATRIX_VEKTOR_MUL(M, v, out);
    return out;
}

void ExpectVector(const Vector4& got, double x, double y, double z, double w, double tol) {
    EXPECT_NEAR(got.x, x, tol);
    EXPECT_NEAR(got.y, y, tol);
    EXPECT_NEAR(got.z, z, tol);
    EXPECT_NEAR(got.w, w, tol);
}

void ExpectIdentity(const Matrix4x4& M) {
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(M(r, c), r == c ? 1.0 : 0.0) << r << "," << c;
    }
}

// A matrix whose elements are 1 to 16, row by row.
Matrix4x4 Counting() {
    Matrix4x4 M;
    for (int i = 0; i < 16; ++i)
        M.e[static_cast<std::size_t>(i)] = i + 1;
    return M;
}

TEST(MatrixBuilders, NeutralArgumentsGiveTheIdentityExactly) {
    // Builders write all sixteen elements: start from garbage each time.
    Matrix4x4 M = Counting();
    MATRIX_INIT_ROTX(M, 0.0);
    ExpectIdentity(M);
    EXPECT_TRUE(std::signbit(M(2, 3)));  // -sin 0 is a negative zero
    M = Counting();
    MATRIX_INIT_ROTY(M, 0.0);
    ExpectIdentity(M);
    EXPECT_TRUE(std::signbit(M(1, 3)));
    EXPECT_FALSE(std::signbit(M(3, 1)));
    M = Counting();
    MATRIX_INIT_ROTZ(M, 0.0);
    ExpectIdentity(M);
    EXPECT_TRUE(std::signbit(M(1, 2)));
    M = Counting();
    MATRIX_INIT_SKALE(M, 1, 1, 1);
    ExpectIdentity(M);
    M = Counting();
    MATRIX_INIT_TRANS(M, 0, 0, 0);
    ExpectIdentity(M);
}

TEST(MatrixBuilders, QuarterTurnsFollowTheirAxesWithoutSnapping) {
    Matrix4x4 M;
    MATRIX_INIT_ROTZ(M, 90);
    ExpectVector(Apply(M, {1, 0, 0, 1}), 0, 1, 0, 1, 1e-16);
    // Not snapped: the residue is the cosine of the double nearest pi/2.
    EXPECT_EQ(M(1, 1), std::cos((90.0 / 180.0) * kPi));
    EXPECT_GT(M(1, 1), 6e-17);
    EXPECT_LT(M(1, 1), 6.2e-17);

    MATRIX_INIT_ROTX(M, 90);
    ExpectVector(Apply(M, {0, 1, 0, 1}), 0, 0, 1, 1, 1e-16);

    // The mirrored y turn: +x toward +z, +z toward -x.
    MATRIX_INIT_ROTY(M, 90);
    ExpectVector(Apply(M, {1, 0, 0, 1}), 0, 0, 1, 1, 1e-16);
    ExpectVector(Apply(M, {0, 0, 1, 1}), -1, 0, 0, 1, 1e-16);
    EXPECT_EQ(M(1, 3), -1.0);
    EXPECT_EQ(M(3, 1), 1.0);

    // The angle is divided by 180 before it is multiplied by pi; at 17
    // degrees the other order differs in the last bit.
    MATRIX_INIT_ROTY(M, 17.0);
    EXPECT_EQ(M(3, 1), std::sin((17.0 / 180.0) * kPi));
    EXPECT_EQ(M(1, 1), std::cos((17.0 / 180.0) * kPi));
}

TEST(MatrixBuilders, FullTurnsApartAgreeUpToRounding) {
    Matrix4x4 a, b;
    void (*const builders[])(Matrix4x4&, double) = {MATRIX_INIT_ROTX, MATRIX_INIT_ROTY,
                                                    MATRIX_INIT_ROTZ};
    const double pairs[][2] = {{30, 390}, {90, -270}};
    for (auto build : builders) {
        for (const auto& pair : pairs) {
            build(a, pair[0]);
            build(b, pair[1]);
            for (std::size_t i = 0; i < 16; ++i)
                EXPECT_NEAR(a.e[i], b.e[i], 1e-15) << pair[1];
        }
    }
}

TEST(MatrixBuilders, TranslationMovesPointsButNotDirections) {
    Matrix4x4 T;
    MATRIX_INIT_TRANS(T, 5, -6, 7.5);
    // Stored row by row: the shifts are elements 4, 8 and 12.
    EXPECT_EQ(T.e[3], 5.0);
    EXPECT_EQ(T.e[7], -6.0);
    EXPECT_EQ(T.e[11], 7.5);
    ExpectVector(Apply(T, {1, 2, 3, 1}), 6, -4, 10.5, 1, 0);
    ExpectVector(Apply(T, {1, 2, 3, 0}), 1, 2, 3, 0, 0);
}

TEST(MatrixBuilders, ScaleTakesItsFactorsInAxisOrder) {
    Matrix4x4 S;
    MATRIX_INIT_SKALE(S, 2, 3, 4);
    ExpectVector(Apply(S, {1, 1, 1, 1}), 2, 3, 4, 1, 0);
}

TEST(MatrixProduct, RowsTimesColumnsInOrder) {
    const Matrix4x4 A = Counting();
    Matrix4x4 C;
    MATRIX_MUL(A, A, C);
    EXPECT_EQ(C(1, 1), 90.0);
    EXPECT_EQ(C(1, 4), 120.0);
    EXPECT_EQ(C(4, 1), 426.0);
    EXPECT_EQ(C(4, 4), 600.0);

    // The right-hand factor acts first: z, then x.
    Matrix4x4 RX, RZ;
    MATRIX_INIT_ROTX(RX, 90);
    MATRIX_INIT_ROTZ(RZ, 90);
    MATRIX_MUL(RX, RZ, C);
    ExpectVector(Apply(C, {1, 0, 0, 1}), 0, 0, 1, 1, 1e-16);
    MATRIX_MUL(RZ, RX, C);
    ExpectVector(Apply(C, {1, 0, 0, 1}), 0, 1, 0, 1, 1e-16);

    // T·R rotates first and then translates.
    Matrix4x4 T;
    MATRIX_INIT_TRANS(T, 10, 0, 0);
    MATRIX_MUL(T, RZ, C);
    ExpectVector(Apply(C, {1, 0, 0, 1}), 10, 1, 0, 1, 1e-15);
}

TEST(MatrixProduct, CopyLeavesTwoEqualMatrices) {
    const Matrix4x4 source = Counting();
    Matrix4x4 destination;
    MATRIX_INIT_ROTX(destination, 33);
    MATRIX_COPY(source, destination);
    EXPECT_EQ(destination.e, source.e);
    EXPECT_EQ(source.e, Counting().e);
}

TEST(MatrixProduct, OverflowFaultsAtTheProductAndUnderflowDoesNot) {
    Matrix4x4 big;
    MATRIX_INIT_SKALE(big, 1e200, 1e200, 1e200);
    Matrix4x4 C;
    try {
        MATRIX_MUL(big, big, C);
        FAIL() << "no fault";
    } catch (const FloatingPointFault& fault) {
        EXPECT_EQ(fault.Kind(), FaultKind::Overflow);
    }

    // Each term fits, their sum does not.
    Matrix4x4 R;
    MATRIX_INIT_ROTZ(R, 45);
    Vector4 out;
    EXPECT_THROW(MATRIX_VEKTOR_MUL(R, {1.7e308, -1.7e308, 0, 1}, out), FloatingPointFault);

    Matrix4x4 tiny;
    MATRIX_INIT_SKALE(tiny, 1e-200, 1e-200, 1e-200);
    EXPECT_NO_THROW(MATRIX_MUL(tiny, tiny, C));
    EXPECT_EQ(C(1, 1), 0.0);
    EXPECT_EQ(C(4, 4), 1.0);
}

}  // namespace
}  // namespace kaleidra
