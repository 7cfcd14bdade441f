#include <cmath>
#include <cstdint>

#include "core/control_defaults.h"
#include "core/fp_checks.h"
#include "core/matrix4x4.h"
#include "core/scene.h"

namespace kaleidra {

void Scene::ViewTransform() {
    // x and z rotations from the angles as they stand now; the camera set-up
    // may reset the angles, which must not reach these two.
    Matrix4x4 RX;
    Matrix4x4 RZ;
    Matrix4x4 R;
    MATRIX_INIT_ROTX(RX, static_cast<double>(AngleX));
    MATRIX_INIT_ROTZ(RZ, static_cast<double>(AngleZ));
    MATRIX_MUL(RX, RZ, R);

    Berechne_Basis();

    Matrix4x4 RY;
    Matrix4x4 V1;
    Matrix4x4 V2;
    if (panel_.RadioButton1()) {
        MATRIX_INIT_ROTY(RY, static_cast<double>(AngleY));
        Matrix4x4 temp;
        MATRIX_MUL(R, RY, temp);
        MATRIX_COPY(temp, R);
        Matrix4x4 T;
        MATRIX_INIT_TRANS(T, EyeOffset, 0.0, 0.0);
        MATRIX_MUL(T, R, V1);
        MATRIX_INIT_TRANS(T, -EyeOffset, 0.0, 0.0);
        MATRIX_MUL(T, R, V2);
    } else {
        // The toe-in is folded into the first turn, about y, before z and x.
        MATRIX_INIT_ROTY(RY, static_cast<double>(AngleY) - ToeInAngle);
        MATRIX_MUL(R, RY, V1);
        MATRIX_INIT_ROTY(RY, static_cast<double>(AngleY) + ToeInAngle);
        MATRIX_MUL(R, RY, V2);
    }

    for (int i = 1; i <= kPointCount; ++i) {
        const Point3D& p = WorkSet[i];
        const Vector4 v{p.x, p.y, p.z, 1.0};
        Vector4 out;
        MATRIX_VEKTOR_MUL(V1, v, out);
        View1Set[i] = {out.x, out.y, out.z};
        MATRIX_VEKTOR_MUL(V2, v, out);
        View2Set[i] = {out.x, out.y, out.z};
    }
}

void Scene::Berechne_Basis() {
    // A distance of 0 left by the previous frame (always so in the first one)
    // means the settings cannot be trusted: restore them, silently, before
    // reading them. The reset may run nested frames.
    if (CameraDistance == 0.0) Standardwerte();

    // Typed positions far outside the field's range wrap like the program's
    // other integers; unsigned arithmetic keeps that free of overflow.
    const auto position = static_cast<std::uint32_t>(panel_.Value(SpinField::SpinEdit8));
    CameraDistance = static_cast<double>(static_cast<std::int32_t>(position * 10u + 130u));
    EyeOffset = static_cast<double>(panel_.Value(SpinField::SpinEdit3));

    if (panel_.RadioButton2()) {
        // Distance 0 faults at this division: CameraDistance keeps the 0 and
        // ToeInAngle its old value, so the next frame resets the settings.
        const double quotient = CheckedDiv(EyeOffset, CameraDistance);
        ToeInAngle = CheckedDiv(CheckedMul(std::atan(quotient), 180.0), kPi);
        CameraDistance = CheckedSqrt(CheckedAdd(CheckedMul(CameraDistance, CameraDistance),
                                                CheckedMul(EyeOffset, EyeOffset)));
        EyeOffset = 0.0;
    }

    // The depth-colour effects draw one view: make the two equal.
    if (panel_.RadioGroup2() >= kFirstDepthColourEffect) {
        ToeInAngle = 0.0;
        EyeOffset = 0.0;
    }
}

}  // namespace kaleidra
