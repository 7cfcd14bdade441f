#include "core/fp_checks.h"
#include "shapes/shape_generators.h"

namespace kaleidra::shapes {

namespace {

// An integer in -20..19 pushed 25 away from zero: -45..-26 or 25..44.
double CornerCoordinate(int a) {
    return a < 0 ? a - 25 : a + 25;
}

// Every coordinate of every point through `scale`, x before y before z.
template <typename Scale>
void ScaleEach(PointSet& ShapeSet, Scale scale) {
    for (int k = 1; k <= kPointCount; ++k) {
        Point3D& p = ShapeSet[k];
        p.x = scale(p.x);
        p.y = scale(p.y);
        p.z = scale(p.z);
    }
}

}  // namespace

void RandomCube(PointSet& ShapeSet, RandomSource& random) {
    random.Randomize();
    for (int k = 1; k <= kPointCount; ++k) {
        ShapeSet[k].x = random.Random(110) - 55;
        ShapeSet[k].y = random.Random(110) - 55;
        ShapeSet[k].z = random.Random(110) - 55;
    }
}

void CornerBlocks(PointSet& ShapeSet, RandomSource& random) {
    random.Randomize();
    for (int k = 1; k <= kPointCount; ++k) {
        const int a = random.Random(40) - 20;
        const int b = random.Random(40) - 20;
        const int c = random.Random(40) - 20;
        ShapeSet[k] = {CornerCoordinate(a), CornerCoordinate(b), CornerCoordinate(c)};
    }
}

void SphereShell(PointSet& ShapeSet, RandomSource& random) {
    for (int k = 1; k <= kPointCount; ++k) {
        int dx = 0;
        int dy = 0;
        int dz = 0;
        // Three draws of 40 give no direction at all; rather than dividing by
        // a zero length, that point draws its three values again.
        do {
            dx = random.Random(80) - 40;
            dy = random.Random(80) - 40;
            dz = random.Random(80) - 40;
        } while (dx == 0 && dy == 0 && dz == 0);
        const double fx = dx;
        const double fy = dy;
        const double fz = dz;
        const double L = CheckedSqrt(fx * fx + fy * fy + fz * fz);
        const double s = CheckedDiv(80.0, L);
        ShapeSet[k] = {fx * s, fy * s, fz * s};
    }
}

void Grow(PointSet& ShapeSet, RandomSource& random) {
    const double f = random.Random(10) / 50.0 + 1.3;  // 1.30, 1.32, ..., 1.48
    // Repeated grows compound without limit, so this is where overflow shows.
    ScaleEach(ShapeSet, [f](double c) { return CheckedMul(c, f); });
}

void Shrink(PointSet& ShapeSet, RandomSource& random) {
    const double d = random.Random(10) / 5.0 + 1.5;  // 1.5, 1.7, ..., 3.3
    ScaleEach(ShapeSet, [d](double c) { return CheckedDiv(c, d); });
}

}  // namespace kaleidra::shapes
