#include "core/morph.h"

namespace kaleidra {

namespace {

double MorphCoordinate(double m, double t, double s) {
    if (m + s < t) return m + s;
    if (m - s > t) return m - s;
    return t;  // copied, not computed, so an arrived point sits exactly on its target
}

}  // namespace

void Modell_Morph(const PointSet& ShapeSet, PointSet& MorphSet, int s) {
    const double step = s;
    for (int i = 1; i <= kPointCount; ++i) {
        Point3D& m = MorphSet[i];
        const Point3D& t = ShapeSet[i];
        m.x = MorphCoordinate(m.x, t.x, step);
        m.y = MorphCoordinate(m.y, t.y, step);
        m.z = MorphCoordinate(m.z, t.z, step);
    }
}

void COPY_ROT(const PointSet& MorphSet, PointSet& WorkSet) {
    WorkSet = MorphSet;
}

}  // namespace kaleidra
