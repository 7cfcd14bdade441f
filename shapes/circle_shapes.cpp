#include <cmath>

#include "core/matrix4x4.h"
#include "shapes/shape_generators.h"

namespace kaleidra::shapes {

// Every run on a circle carries its angle as a running sum of the step, from
// 0 at the run's first point; a point at angle t on radius r gets r sin t on
// the first axis of its plane and r cos t on the second.

namespace {

constexpr double kStepRing = 0.06283185307179587;       // 2 pi / 100
constexpr double kStepConcentric = 0.3141592653589793;  // pi / 10
constexpr double kStepGlobe = 0.4487989505128276;       // 2 pi / 14
constexpr double kStepLongRun = 0.1884955592153876;     // 3 * 2 pi / 100
constexpr double kStepShortRun = 0.3769911184307752;    // 6 * 2 pi / 100
constexpr double kStepTube = 0.6283185307179586;        // 2 pi / 10

}  // namespace

void Ring(PointSet& ShapeSet) {
    double theta = 0.0;
    for (int k = 1; k <= kPointCount; ++k) {
        ShapeSet[k] = {70 * std::sin(theta), 70 * std::cos(theta), 0.0};
        theta += kStepRing;
    }
}

void ConcentricRings(PointSet& ShapeSet, RingPlane plane) {
    // One angle for all five circles, never reset: each circle is one full
    // turn, so every circle starts again on its second axis.
    double theta = 0.0;
    for (int i = 0; i <= 4; ++i) {
        for (int j = 0; j <= 19; ++j) {
            const double a = std::sin(theta) * i * 20;
            const double b = std::cos(theta) * i * 20;
            Point3D& p = ShapeSet[20 * i + j + 1];
            switch (plane) {
                case RingPlane::Upright:
                    p = {a, b, 0.0};
                    break;
                case RingPlane::BelowCentre:
                    p = {a, -40.0, b};
                    break;
                case RingPlane::AboveCentre:
                    p = {a, 40.0, b};
                    break;
            }
            theta += kStepConcentric;
        }
    }
}

void Globe(PointSet& ShapeSet) {
    double theta = 0.0;
    for (int p = 1; p <= 14; ++p) {
        ShapeSet[p] = {60 * std::sin(theta), 0.0, 60 * std::cos(theta)};
        theta += kStepGlobe;
    }
    // Heights grow evenly while the radii follow the cosine of the latitude:
    // a squashed globe, not a sphere.
    for (int m = 1; m <= 3; ++m) {
        const double c = std::cos(m * 22.5 * kPi / 180);
        const double y = m / 4.0 * 60;
        for (int p = 1; p <= 14; ++p) {
            ShapeSet[14 * m + p] = {c * ShapeSet[p].x, y, c * ShapeSet[p].z};
        }
    }
    ShapeSet[57] = {0.0, 60.0, 0.0};
    for (int k = 15; k <= 57; ++k) {
        ShapeSet[k + 43] = {ShapeSet[k].x, -ShapeSet[k].y, ShapeSet[k].z};
    }
    for (int k = 1; k <= kPointCount; ++k)
        ShapeSet[k].y = ShapeSet[k].y - 5;
}

void FourRings(PointSet& ShapeSet) {
    double theta = 0.0;
    for (int k = 1; k <= 33; ++k) {
        ShapeSet[k] = {70 * std::sin(theta), 70 * std::cos(theta), 0.0};
        theta += kStepLongRun;
    }
    theta = 0.0;
    for (int k = 34; k <= 66; ++k) {
        ShapeSet[k] = {0.0, 70 * std::sin(theta), 70 * std::cos(theta)};
        theta += kStepLongRun;
    }
    theta = 0.0;
    for (int k = 67; k <= 83; ++k) {
        ShapeSet[k] = {70 * std::sin(theta), 20.0, 70 * std::cos(theta)};
        theta += kStepShortRun;
    }
    theta = 0.0;
    for (int k = 84; k <= 100; ++k) {
        ShapeSet[k] = {70 * std::sin(theta), -20.0, 70 * std::cos(theta)};
        theta += kStepShortRun;
    }
}

void Tube(PointSet& ShapeSet, double radius) {
    // The angle is reset before the step is added, so every ring after the
    // first is numbered from one step further on.
    double theta = 0.0;
    double level = -50.0;
    for (int k = 1; k <= kPointCount; ++k) {
        ShapeSet[k] = {radius * std::sin(theta), radius * std::cos(theta), level};
        if (k % 10 == 0) {
            theta = 0.0;
            level += 10;
        }
        theta += kStepTube;
    }
}

}  // namespace kaleidra::shapes
