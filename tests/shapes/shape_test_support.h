#pragma once

// Small helpers shared by the shape library's tests.

#include <algorithm>
#include <string>
#include <vector>

#include "core/point_set.h"
#include "core/random_source.h"
#include "shapes/shape_library.h"
#include "support/fakes.h"

namespace kaleidra::shapetest {

inline PointSet Built(int shape, RandomSource& random, PointSet start = {}) {
    BuildShape(shape, start, random);
    return start;
}

// Deterministic shapes need no randomness; the fixed source keeps a stray
// draw from going unnoticed in the draw counts.
inline PointSet Built(int shape) {
    testing::FixedRandom random(testing::FixedRandom::End::Low);
    return Built(shape, random);
}

inline PointSet AllAt(Point3D p) {
    PointSet set;
    for (int k = 1; k <= kPointCount; ++k)
        set[k] = p;
    return set;
}

// Point k sits at (k, -k, 1000 + k): every point distinct and its number
// readable from its position.
inline PointSet Numbered() {
    PointSet set;
    for (int k = 1; k <= kPointCount; ++k)
        set[k] = {double(k), double(-k), 1000.0 + k};
    return set;
}

inline int NumberOf(const Point3D& p) {
    return static_cast<int>(p.x);
}

inline std::vector<Point3D> SortedPositions(const PointSet& set) {
    std::vector<Point3D> v;
    for (int k = 1; k <= kPointCount; ++k)
        v.push_back(set[k]);
    std::sort(v.begin(), v.end(), [](const Point3D& a, const Point3D& b) {
        if (a.x != b.x) return a.x < b.x;
        if (a.y != b.y) return a.y < b.y;
        return a.z < b.z;
    });
    return v;
}

inline std::string Show(const Point3D& p) {
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ", " + std::to_string(p.z) +
           ")";
}

}  // namespace kaleidra::shapetest
