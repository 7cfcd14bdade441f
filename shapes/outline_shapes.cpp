#include "core/fp_checks.h"
#include "shapes/shape_generators.h"

namespace kaleidra::shapes {

void Lattice(PointSet& ShapeSet) {
    int x = -40;
    int y = -40;
    int z = -40;
    for (int k = 1; k <= kPointCount; ++k) {
        ShapeSet[k] = {static_cast<double>(x), static_cast<double>(y), static_cast<double>(z)};
        x += 20;
        if (x == 60) {
            x = -40;
            z += 20;
        }
        if (z == 60) {
            z = -40;
            y += 25;
        }
    }
}

void Square(PointSet& ShapeSet) {
    // Each side stops one step short of its far corner, so (50, 50) stays
    // empty and (-50, -50) is reached twice (points 1 and 51).
    for (int k = 1; k <= 25; ++k)
        ShapeSet[k] = {4.0 * k - 54, -50.0, 0.0};
    for (int k = 26; k <= 50; ++k)
        ShapeSet[k] = {4.0 * (k - 25) - 54, 50.0, 0.0};
    for (int k = 51; k <= 75; ++k)
        ShapeSet[k] = {-50.0, 4.0 * (k - 50) - 54, 0.0};
    for (int k = 76; k <= 100; ++k)
        ShapeSet[k] = {50.0, 4.0 * (k - 75) - 54, 0.0};
}

void DoubleSquare(PointSet& ShapeSet) {
    Square(ShapeSet);
    for (int i = 1; i <= 50; ++i) {
        Point3D& p = ShapeSet[2 * i];
        p.x = p.x / 2;
        p.y = p.y / 2;
        p.z = p.z / 2;
    }
}

void SquareFrustum(PointSet& ShapeSet) {
    DoubleSquare(ShapeSet);
    for (int k = 1; k <= kPointCount; ++k) {
        ShapeSet[k].z = ShapeSet[k].y;
        ShapeSet[k].y = 40;
    }
    for (int i = 1; i <= 50; ++i)
        ShapeSet[2 * i].y = -40;
}

void HyperbolaStar(PointSet& ShapeSet) {
    for (int i = 1; i <= 25; ++i) {
        // The six-place factor, not 10/3: the 13th value lands at -0.000004
        // rather than on 0, which decides the side it is pushed to.
        double a = (i - 1) * 3.333333 - 40;
        a = a < 0 ? a - 10 : a + 10;
        const double b = CheckedDiv(600.0, a);
        ShapeSet[i] = {a, b, a};
        ShapeSet[i + 25] = {-a, b, -a};
        ShapeSet[i + 50] = {-a, b, a};
        ShapeSet[i + 75] = {a, b, -a};
    }
}

}  // namespace kaleidra::shapes
