#pragma once

#include <array>

namespace kaleidra {

// A point of the cloud. Model coordinates are units about the origin; after
// the view transform x grows to the right, y downward and z toward the viewer.
struct Point3D {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const Point3D& a, const Point3D& b) {
        return a.x == b.x && a.y == b.y && a.z == b.z;
    }
    friend bool operator!=(const Point3D& a, const Point3D& b) { return !(a == b); }
};

constexpr int kPointCount = 100;

// Exactly 100 points, numbered 1 to 100: point i of every set is the same
// point of the cloud, so the numbering is part of the data, not an accident
// of storage.
class PointSet {
public:
    Point3D& operator[](int i) { return points_[static_cast<std::size_t>(i - 1)]; }
    const Point3D& operator[](int i) const { return points_[static_cast<std::size_t>(i - 1)]; }

    // Every coordinate of every point becomes 0.0: the cloud sits at the origin.
    void MoveAllToOrigin() { points_.fill(Point3D{}); }

    friend bool operator==(const PointSet& a, const PointSet& b) { return a.points_ == b.points_; }
    friend bool operator!=(const PointSet& a, const PointSet& b) { return !(a == b); }

private:
    std::array<Point3D, kPointCount> points_{};
};

}  // namespace kaleidra
