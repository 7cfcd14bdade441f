#include "shapes/shape_generators.h"

namespace kaleidra::shapes {

void Grid(PointSet& ShapeSet, GridSurface surface) {
    // u and v take ten values from -1.5 to 1.5 and never 0, so 40u and 40v
    // run from -60 to 60 in steps of 40/3.
    for (int i = 0; i <= 9; ++i) {
        for (int j = 0; j <= 9; ++j) {
            const double u = (i - 4.5) / 3;
            const double v = (j - 4.5) / 3;
            Point3D& p = ShapeSet[10 * i + j + 1];
            switch (surface) {
                case GridSurface::FlatAbove:
                    p = {40 * u, 35.0, 40 * v};
                    break;
                case GridSurface::Saddle:
                    p = {40 * u, 16 * (u * u - v * v), 40 * v};
                    break;
                case GridSurface::FlatBelow:
                    p = {40 * u, -35.0, 40 * v};
                    break;
                case GridSurface::Upright:
                    p = {40 * u, 40 * v, 0.0};
                    break;
                case GridSurface::ParaboloidUp:
                    p = {40 * u, 13 * (u * u + v * v) - 30, 40 * v};
                    break;
                case GridSurface::ParaboloidDown:
                    p = {40 * u, -(u * u + v * v) * 13 + 30, 40 * v};
                    break;
            }
        }
    }
}

}  // namespace kaleidra::shapes
