#include "core/view_transform.h"

#include <cmath>
#include <cstdint>
#include <exception>

#include "core/control_defaults.h"
#include "core/fp_checks.h"
#include "core/matrix4x4.h"
#include "core/scene.h"
#include "render/anaglyph_renderer.h"
#include "render/depth_colour_renderer.h"

namespace kaleidra {

namespace {

// The camera values from the panel's position, base, projection and effect.
void Berechne_Basis(const ControlPanel& panel, double& CameraDistance, double& EyeOffset,
                    double& ToeInAngle) {
    // Typed positions far outside the field's range wrap like the program's
    // other integers; unsigned arithmetic keeps that free of overflow.
    const auto position = static_cast<std::uint32_t>(panel.Value(SpinField::SpinEdit8));
    CameraDistance = static_cast<double>(static_cast<std::int32_t>(position * 10u + 130u));
    EyeOffset = static_cast<double>(panel.Value(SpinField::SpinEdit3));

    if (panel.RadioButton2()) {
        // Distance 0 faults at this division: CameraDistance keeps the 0 and
        // ToeInAngle its old value, so the next frame resets the settings.
        const double quotient = CheckedDiv(EyeOffset, CameraDistance);
        ToeInAngle = CheckedDiv(CheckedMul(std::atan(quotient), 180.0), kPi);
        CameraDistance = CheckedSqrt(CheckedAdd(CheckedMul(CameraDistance, CameraDistance),
                                                CheckedMul(EyeOffset, EyeOffset)));
        EyeOffset = 0.0;
    }

    // The depth-colour effects draw one view: make the two equal.
    if (IsDepthColourEffect(panel.RadioGroup2())) {
        ToeInAngle = 0.0;
        EyeOffset = 0.0;
    }
}

// WorkSet turned by the angles and seen from the two cameras: shifted by the
// eye offset ("parallel") or turned by the toe-in ("direkt").
void TransformViews(const PointSet& WorkSet, int AngleX, int AngleY, int AngleZ, bool parallel,
                    double EyeOffset, double ToeInAngle, PointSet& View1Set, PointSet& View2Set) {
    Matrix4x4 RX;
    Matrix4x4 RZ;
    Matrix4x4 R;
    MATRIX_INIT_ROTX(RX, static_cast<double>(AngleX));
    MATRIX_INIT_ROTZ(RZ, static_cast<double>(AngleZ));
    MATRIX_MUL(RX, RZ, R);

    Matrix4x4 RY;
    Matrix4x4 V1;
    Matrix4x4 V2;
    if (parallel) {
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

void DrawViews(const ControlPanel& panel, const PointSet& View1Set, const PointSet& View2Set,
               double CameraDistance, double EyeOffset, RasterSurface& Image1) {
    const FrameInput in{View1Set,
                        View2Set,
                        CameraDistance,
                        EyeOffset,
                        panel.RadioGroup1(),
                        panel.RadioGroup2(),
                        panel.Value(SpinField::SpinEdit9),
                        panel.Value(SpinField::SpinEdit4),
                        panel.Checked(CheckField::CheckBox3)};
    if (IsDepthColourEffect(in.RadioGroup2)) {
        Anzeige_Chroma(Image1, in);
    } else {
        Anzeige(Image1, in);
    }
}

}  // namespace

void Scene::ViewTransform() {
    // The turns about x and z take the angles as they stand now: the camera
    // set-up may reset them, which only the turn about y sees.
    const int angle_x = AngleX;
    const int angle_z = AngleZ;
    // A distance of 0 left by the previous frame (always so in the first one)
    // means the settings cannot be trusted: restore them, silently, before
    // reading them. The reset may run nested frames.
    if (CameraDistance == 0.0) Standardwerte();
    Berechne_Basis(panel_, CameraDistance, EyeOffset, ToeInAngle);
    TransformViews(WorkSet, angle_x, AngleY, angle_z, panel_.RadioButton1(), EyeOffset, ToeInAngle,
                   View1Set, View2Set);
}

void Scene::Draw() {
    DrawViews(panel_, View1Set, View2Set, CameraDistance, EyeOffset, Image1);
}

bool DrawStill(const PointSet& cloud, int AngleX, int AngleY, int AngleZ, const ControlPanel& panel,
               RasterSurface& Image1) {
    double CameraDistance = 0.0;
    double EyeOffset = 0.0;
    double ToeInAngle = 0.0;
    PointSet View1Set;
    PointSet View2Set;
    try {
        Berechne_Basis(panel, CameraDistance, EyeOffset, ToeInAngle);
        TransformViews(cloud, AngleX, AngleY, AngleZ, panel.RadioButton1(), EyeOffset, ToeInAngle,
                       View1Set, View2Set);
        DrawViews(panel, View1Set, View2Set, CameraDistance, EyeOffset, Image1);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

}  // namespace kaleidra
